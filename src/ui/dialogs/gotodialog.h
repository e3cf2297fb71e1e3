// The modeless "Go To Record" window: a prompt naming the current order's key, the text to look
// for and Close. It never calls the view; it announces every change of the text.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace discora {

class GoToDialog : public QDialog
{
    Q_OBJECT
public:
    GoToDialog(const QString& prompt, QWidget* parent = nullptr);

    QString text() const;
    QString prompt() const;
    QLineEdit* edit() const { return m_edit; }

signals:
    // Connected queued: the view searches after the edit field has settled.
    void textChanged();

private:
    QLabel* m_prompt = nullptr;
    QLineEdit* m_edit = nullptr;
};

} // namespace discora
