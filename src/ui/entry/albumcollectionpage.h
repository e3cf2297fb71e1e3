// The "Collection" page of the entry sheet: what the collector keeps about this copy beside the
// file's lists (status, year, barcode, release IDs, where it is kept, purchase and value,
// condition, rating, when it was added and changed) and its loans, lent and marked returned here.
#pragma once

#include "core/model/albumrecord.h"

#include <QWidget>

#include <array>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace discora {

class EntryLists;

class AlbumCollectionPage : public QWidget
{
    Q_OBJECT
public:
    explicit AlbumCollectionPage(EntryLists& lists, QWidget* parent = nullptr);

    // Shows album's details and loans; what shows now counts as unchanged.
    void showAlbum(const AlbumRecord& album);
    // Puts the details the user changed into album as the album keeps them; the others keep their
    // stored texts byte for byte.
    void readChanges(AlbumRecord& album) const;

    // A changed field whose text cannot be kept (a year that is not four digits, a purchase date
    // that is no date), and why.
    struct Refusal
    {
        QWidget* field;
        std::string message;
    };
    std::optional<Refusal> refusal() const;

    // The control of a detail field, or null for the loans and every field of the other pages.
    QWidget* control(Field field) const;
    QLabel* barcodeNote() const { return m_barcodeNote; }
    QLabel* loanLine() const { return m_loanLine; }
    QPushButton* lendButton() const { return m_lend; }
    QPushButton* returnedButton() const { return m_returned; }
    QTreeWidget* loanHistory() const { return m_history; }

    // "Lend...": asks to whom and when, and the loan starts. "Returned": the loan out ends today.
    void lendAlbum();
    void markReturned();

private:
    QComboBox* addChoice(Field field);
    QComboBox* addEditableChoice(Field field);
    QLineEdit* addLineEdit(Field field);
    QWidget*& slot(Field field) { return m_controls[fieldIndex(field) - kFirstDetail]; }
    // What a control shows, in a form that tells whether the user changed it.
    QString shownText(Field field) const;
    std::string typedText(Field field) const;
    bool changed(Field field) const;
    void showBarcodeCheck();
    void showLoans();

    EntryLists& m_lists;
    std::array<QWidget*, kDetailCount> m_controls{};
    std::array<QString, kDetailCount> m_shown;
    QLabel* m_barcodeNote = nullptr;
    QLabel* m_loanLine = nullptr;
    QPushButton* m_lend = nullptr;
    QPushButton* m_returned = nullptr;
    QTreeWidget* m_history = nullptr;
    // The album's Loans text as lent and returned on this page, and as it was shown.
    std::string m_loans;
    std::string m_shownLoans;
};

} // namespace discora
