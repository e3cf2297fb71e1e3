// "Custom Headings": the names of the two user-defined album fields.
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

namespace discora {

class CustomHeadingsDialog : public QDialog
{
    Q_OBJECT
public:
    CustomHeadingsDialog(const std::string& first, const std::string& second, QWidget* parent = nullptr);

    std::string heading(int which) const;
    QLineEdit* edit(int which) const { return m_edits[which]; }

private:
    QLineEdit* m_edits[2] = {};
};

} // namespace discora
