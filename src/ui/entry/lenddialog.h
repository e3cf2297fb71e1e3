// "Lend": to whom an album goes, since when and, if agreed, until when. The dates are picked as
// dates, so only real ones can be given; the due date cannot come before the day it was lent.
#pragma once

#include "core/model/albumdetails.h"

#include <QDate>
#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace discora {

class LendDialog : public QDialog
{
    Q_OBJECT
public:
    // today is the day the loan starts unless the user picks another.
    explicit LendDialog(const QDate& today, QWidget* parent = nullptr);

    // The loan as entered: the borrower's name without surrounding blanks, the dates as
    // "YYYY-MM-DD", no due date when none was asked for.
    Loan loan() const;

    QLineEdit* borrowerEdit() const { return m_borrower; }
    QDateEdit* lentEdit() const { return m_lent; }
    QCheckBox* dueBox() const { return m_dueBox; }
    QDateEdit* dueEdit() const { return m_due; }
    QPushButton* okButton() const { return m_ok; }

private:
    void updateOk();

    QLineEdit* m_borrower = nullptr;
    QDateEdit* m_lent = nullptr;
    QCheckBox* m_dueBox = nullptr;
    QDateEdit* m_due = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace discora
