// "Delete Albums": asks about one album with YES, YES TO ALL, NO and NO TO ALL. Escape and the
// close box answer NO TO ALL.
#pragma once

#include "core/document/prompter.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace discora {

class DeleteAlbumsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DeleteAlbumsDialog(QWidget* parent = nullptr);

    DeleteAnswer ask(const QString& question);
    QPushButton* button(DeleteAnswer answer) const;
    QString question() const;

private:
    QLabel* m_message;
    QPushButton* m_buttons[4] = {};
    DeleteAnswer m_answer = DeleteAnswer::NoToAll;
};

} // namespace discora
