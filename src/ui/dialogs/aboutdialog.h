// "About Discora and CD Player": the program icon, its name, version and maker.
#pragma once

#include <QDialog>

namespace discora {

class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace discora
