#include "ui/dialogs/deletealbumsdialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace discora {

namespace {

struct ButtonInfo
{
    DeleteAnswer answer;
    const char* text;
};

constexpr ButtonInfo kButtons[4] = {{DeleteAnswer::Yes, "YES"},
                                    {DeleteAnswer::YesToAll, "YES TO ALL"},
                                    {DeleteAnswer::No, "NO"},
                                    {DeleteAnswer::NoToAll, "NO TO ALL"}};

} // namespace

DeleteAlbumsDialog::DeleteAlbumsDialog(QWidget* parent) : QDialog(parent), m_message(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Delete Albums"));
    m_message->setWordWrap(true);
    m_message->setMinimumWidth(360);
    auto* row = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(kButtons[i].text), this);
        const DeleteAnswer answer = kButtons[i].answer;
        connect(button, &QPushButton::clicked, this, [this, answer] {
            m_answer = answer;
            accept();
        });
        row->addWidget(button);
        m_buttons[i] = button;
    }
    m_buttons[0]->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addLayout(row);
}

DeleteAnswer DeleteAlbumsDialog::ask(const QString& question)
{
    m_message->setText(question);
    m_answer = DeleteAnswer::NoToAll; // Escape or the close box
    m_buttons[0]->setFocus();
    exec();
    return m_answer;
}

QPushButton* DeleteAlbumsDialog::button(DeleteAnswer answer) const
{
    for (int i = 0; i < 4; ++i)
        if (kButtons[i].answer == answer)
            return m_buttons[i];
    return nullptr;
}

QString DeleteAlbumsDialog::question() const
{
    return m_message->text();
}

} // namespace discora
