#include "ui/dialogs/finddialog.h"

#include "ui/support/qttext.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace discora {

FindDialog::FindDialog(const FindQuery& query, QWidget* parent)
    : QDialog(parent), m_text(new QLineEdit(toQt(query.text), this)),
      m_wholeWord(new QCheckBox(QStringLiteral("Whole Word"), this)),
      m_matchCase(new QCheckBox(QStringLiteral("Match upper and lower case"), this))
{
    setWindowTitle(QStringLiteral("Find Info"));
    m_wholeWord->setChecked(query.wholeWord);
    m_matchCase->setChecked(query.matchCase);
    auto* label = new QLabel(QStringLiteral("Information to find"), this);
    label->setBuddy(m_text);
    m_text->setMinimumWidth(280);
    m_text->selectAll();

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* find = buttons->addButton(QStringLiteral("Find"), QDialogButtonBox::AcceptRole);
    find->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_text);
    layout->addWidget(m_wholeWord);
    layout->addWidget(m_matchCase);
    layout->addWidget(buttons);
}

FindQuery FindDialog::query() const
{
    return {toStd(m_text->text()), m_wholeWord->isChecked(), m_matchCase->isChecked()};
}

} // namespace discora
