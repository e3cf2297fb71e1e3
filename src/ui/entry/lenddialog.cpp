#include "ui/entry/lenddialog.h"

#include "ui/support/accessiblelabels.h"
#include "ui/support/qttext.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace discora {

namespace {

// Four weeks is what a loan among friends is usually agreed for.
constexpr int kUsualLoanDays = 28;

QString storedDate(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

QDateEdit* makeDateEdit(const QDate& date, QWidget* parent)
{
    auto* edit = new QDateEdit(date, parent);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    return edit;
}

} // namespace

LendDialog::LendDialog(const QDate& today, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Lend"));
    auto* form = new QFormLayout;
    auto addRow = [this, form](const QString& text, QWidget* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        nameByLabel(*label);
        form->addRow(label, field);
    };
    m_borrower = new QLineEdit(this);
    m_borrower->setMinimumWidth(m_borrower->fontMetrics().averageCharWidth() * 30);
    addRow(QStringLiteral("&Lent to:"), m_borrower);
    m_lent = makeDateEdit(today, this);
    addRow(QStringLiteral("&Date lent:"), m_lent);

    // No due date unless one is asked for: the box turns the date on.
    m_dueBox = new QCheckBox(QStringLiteral("D&ue back:"), this);
    m_due = makeDateEdit(today.addDays(kUsualLoanDays), this);
    m_due->setMinimumDate(today);
    m_due->setEnabled(false);
    m_due->setAccessibleName(QStringLiteral("Due back"));
    form->addRow(m_dueBox, m_due);
    connect(m_dueBox, &QCheckBox::toggled, m_due, &QWidget::setEnabled);
    connect(m_lent, &QDateEdit::dateChanged, this,
            [this](const QDate& lent) { m_due->setMinimumDate(lent); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A loan needs someone to go to.
    connect(m_borrower, &QLineEdit::textChanged, this, &LendDialog::updateOk);
    updateOk();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    m_borrower->setFocus();
}

void LendDialog::updateOk()
{
    m_ok->setEnabled(!m_borrower->text().trimmed().isEmpty());
}

Loan LendDialog::loan() const
{
    Loan loan;
    loan.borrower = toStd(m_borrower->text().trimmed());
    loan.lent = toStd(storedDate(m_lent->date()));
    if (m_dueBox->isChecked())
        loan.due = toStd(storedDate(m_due->date()));
    return loan;
}

} // namespace discora
