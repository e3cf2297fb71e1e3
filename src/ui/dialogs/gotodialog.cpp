#include "ui/dialogs/gotodialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace discora {

GoToDialog::GoToDialog(const QString& prompt, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Go To Record"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    m_prompt = new QLabel(prompt, this);
    m_prompt->setTextFormat(Qt::PlainText);
    m_edit = new QLineEdit(this);
    m_prompt->setBuddy(m_edit);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(m_edit, &QLineEdit::textChanged, this, [this] { emit textChanged(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    setMinimumWidth(m_prompt->fontMetrics().averageCharWidth() * 40);
}

QString GoToDialog::text() const
{
    return m_edit->text();
}

QString GoToDialog::prompt() const
{
    return m_prompt->text();
}

} // namespace discora
