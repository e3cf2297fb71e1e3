// The built-in help: what the program does, its commands with their shortcuts, and what each
// order shows. The command list is made from the command table so it never drifts.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace discora {

class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    QTextBrowser* browser() const { return m_browser; }

    static QString helpHtml();

private:
    QTextBrowser* m_browser;
};

} // namespace discora
