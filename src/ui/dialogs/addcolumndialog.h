// The Add Column dialog: which field the new column shows. Nothing is chosen at first.
#pragma once

#include <QDialog>

class QComboBox;

namespace discora {

class AddColumnDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AddColumnDialog(QWidget* parent = nullptr);

    // The ColumnField id of the chosen entry; 0 while nothing is chosen.
    int chosenField() const;
    QComboBox* list() const { return m_list; }

private:
    QComboBox* m_list = nullptr;
};

} // namespace discora
