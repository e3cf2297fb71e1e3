#include "ui/entry/albumcollectionpage.h"

#include "core/model/albumdetails.h"
#include "ui/entry/entrylists.h"
#include "ui/entry/lenddialog.h"
#include "ui/support/accessiblelabels.h"
#include "ui/support/qttext.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QTreeWidget>

#include <algorithm>

namespace discora {

namespace {

const char* const kYearRefused = "The year must be four digits, such as 1969, or left empty.";
const char* const kPurchaseDateRefused =
    "The purchase date must be a date written as year-month-day, such as 2024-03-15, or left empty.";
const char* const kWrongCheckDigit =
    "The last digit does not check out for this barcode; it is kept as typed.";

QString ratingText(int stars)
{
    if (stars == 0)
        return QStringLiteral("No rating");
    return stars == 1 ? QStringLiteral("1 star") : QStringLiteral("%1 stars").arg(stars);
}

QString loanText(const std::optional<Loan>& loan)
{
    if (!loan)
        return QStringLiteral("Not lent");
    QString text = QStringLiteral("Lent to %1 since %2").arg(toQt(loan->borrower), toQt(loan->lent));
    if (!loan->due.empty())
        text += QStringLiteral(", due back %1").arg(toQt(loan->due));
    if (overdue(*loan, todaysDate()))
        text += QStringLiteral(" (overdue)");
    return text + QLatin1Char('.');
}

// The grade a condition box holds: the one picked from its list, or typed as "vg+" or as its
// full name; any other text as typed.
std::string gradeOf(const QComboBox& box)
{
    const QString text = box.currentText().trimmed();
    const int index = box.currentIndex();
    if (index >= 0 && box.itemText(index) == box.currentText())
        return toStd(box.itemData(index).toString());
    for (std::string_view grade : kConditionGrades)
        if (text.compare(toQt(grade), Qt::CaseInsensitive) == 0 ||
            text.compare(toQt(conditionGradeName(grade)), Qt::CaseInsensitive) == 0)
            return std::string(grade);
    return toStd(text);
}

} // namespace

AlbumCollectionPage::AlbumCollectionPage(EntryLists& lists, QWidget* parent) : QWidget(parent), m_lists(lists)
{
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, 90);
    // A label names its field for screen readers and takes the focus there from its letter.
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        nameByLabel(*l);
        return l;
    };
    auto place = [&](const QString& text, QWidget* field, int row, int column, int span = 1) {
        grid->addWidget(label(text, field), row, column);
        grid->addWidget(field, row, column + 1, 1, span);
    };
    // Created in reading order, which is also the tab order.
    QComboBox* status = addChoice(Field::Status);
    for (AlbumStatus s : kAlbumStatuses)
        status->addItem(toQt(statusName(s)));
    place(QStringLiteral("&Status:"), status, 0, 0);
    QComboBox* rating = addChoice(Field::Rating);
    for (int stars = 0; stars <= 5; ++stars)
        rating->addItem(ratingText(stars));
    place(QStringLiteral("&Rating:"), rating, 0, 2);

    QLineEdit* year = addLineEdit(Field::Year);
    year->setPlaceholderText(QStringLiteral("YYYY"));
    place(QStringLiteral("&Year:"), year, 1, 0);
    QComboBox* location = addEditableChoice(Field::Location);
    location->setModel(m_lists.model(ValueListId::Location));
    location->setToolTip(QStringLiteral("Where the copy is kept: a shelf, a box, a room"));
    place(QStringLiteral("Locatio&n:"), location, 1, 2);

    QLineEdit* barcode = addLineEdit(Field::Barcode);
    place(QStringLiteral("&Barcode:"), barcode, 2, 0, 3);
    m_barcodeNote = new QLabel(QString::fromUtf8(kWrongCheckDigit), this);
    m_barcodeNote->setWordWrap(true);
    m_barcodeNote->setVisible(false);
    grid->addWidget(m_barcodeNote, 3, 1, 1, 3);
    connect(barcode, &QLineEdit::textChanged, this, &AlbumCollectionPage::showBarcodeCheck);
    place(QStringLiteral("MusicBrain&z Release ID:"), addLineEdit(Field::MusicBrainzId), 4, 0, 3);
    place(QStringLiteral("&Discogs Release ID:"), addLineEdit(Field::DiscogsId), 5, 0, 3);

    QLineEdit* purchaseDate = addLineEdit(Field::PurchaseDate);
    purchaseDate->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    place(QStringLiteral("&Purchase Date:"), purchaseDate, 6, 0);
    QLineEdit* price = addLineEdit(Field::PurchasePrice);
    auto* priceRow = new QHBoxLayout;
    priceRow->addWidget(price, 1);
    QLineEdit* currency = addLineEdit(Field::Currency);
    currency->setMaximumWidth(currency->fontMetrics().averageCharWidth() * 8);
    currency->setToolTip(QStringLiteral("The currency of the price and the value, such as EUR or USD"));
    priceRow->addWidget(label(QStringLiteral("C&urrency:"), currency));
    priceRow->addWidget(currency);
    grid->addWidget(label(QStringLiteral("Purchase Pr&ice:"), price), 6, 2);
    grid->addLayout(priceRow, 6, 3);
    place(QStringLiteral("Bou&ght From:"), addLineEdit(Field::BoughtFrom), 7, 0);
    place(QStringLiteral("Current &Value:"), addLineEdit(Field::CurrentValue), 7, 2);

    for (const Field field : {Field::MediaCondition, Field::SleeveCondition}) {
        QComboBox* box = addEditableChoice(field);
        for (std::string_view grade : kConditionGrades)
            box->addItem(toQt(conditionGradeName(grade)), toQt(grade));
        box->setToolTip(QStringLiteral("The grade collectors use, from M (Mint) down to P (Poor)"));
    }
    place(QStringLiteral("&Media Condition:"), control(Field::MediaCondition), 8, 0);
    place(QStringLiteral("Sl&eeve Condition:"), control(Field::SleeveCondition), 8, 2);

    // Enter and Modify set these dates; they are shown, not typed.
    for (const Field field : {Field::DateAdded, Field::DateModified})
        addLineEdit(field)->setReadOnly(true);
    place(QStringLiteral("Date &Added:"), control(Field::DateAdded), 9, 0);
    place(QStringLiteral("Date Modi&fied:"), control(Field::DateModified), 9, 2);

    auto* loans = new QGroupBox(QStringLiteral("Loans"), this);
    auto* loansLayout = new QGridLayout(loans);
    m_loanLine = new QLabel(loans);
    m_loanLine->setTextFormat(Qt::PlainText);
    m_loanLine->setWordWrap(true);
    m_lend = new QPushButton(QStringLiteral("&Lend..."), loans);
    m_returned = new QPushButton(QStringLiteral("Re&turned"), loans);
    m_returned->setToolTip(QStringLiteral("The album is back today: the loan moves to the history"));
    connect(m_lend, &QPushButton::clicked, this, &AlbumCollectionPage::lendAlbum);
    connect(m_returned, &QPushButton::clicked, this, &AlbumCollectionPage::markReturned);
    m_history = new QTreeWidget(loans);
    m_history->setHeaderLabels({QStringLiteral("Lent to"), QStringLiteral("Lent"), QStringLiteral("Due back"),
                                QStringLiteral("Returned")});
    m_history->setRootIsDecorated(false);
    m_history->setUniformRowHeights(true);
    m_history->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_history->header()->setStretchLastSection(false);
    m_history->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_history->setMaximumHeight(m_history->fontMetrics().lineSpacing() * 7);
    auto* historyLabel = new QLabel(QStringLiteral("Loan &History:"), loans);
    historyLabel->setBuddy(m_history);
    nameByLabel(*historyLabel);
    loansLayout->addWidget(m_loanLine, 0, 0);
    loansLayout->addWidget(m_lend, 0, 1);
    loansLayout->addWidget(m_returned, 0, 2);
    loansLayout->addWidget(historyLabel, 1, 0, 1, 3);
    loansLayout->addWidget(m_history, 2, 0, 1, 3);
    loansLayout->setColumnStretch(0, 1);
    grid->addWidget(loans, 10, 0, 1, 4);
    grid->setRowStretch(11, 1);
    showLoans();
}

QComboBox* AlbumCollectionPage::addChoice(Field field)
{
    auto* box = new QComboBox(this);
    slot(field) = box;
    return box;
}

QComboBox* AlbumCollectionPage::addEditableChoice(Field field)
{
    QComboBox* box = addChoice(field);
    box->setEditable(true);
    // As on the General page: the list only offers values, typing never adds to it or completes.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(12);
    if (auto* view = qobject_cast<QListView*>(box->view()))
        view->setUniformItemSizes(true);
    return box;
}

QLineEdit* AlbumCollectionPage::addLineEdit(Field field)
{
    auto* edit = new QLineEdit(this);
    slot(field) = edit;
    return edit;
}

QWidget* AlbumCollectionPage::control(Field field) const
{
    const int index = fieldIndex(field);
    return isDetail(index) ? m_controls[index - kFirstDetail] : nullptr;
}

void AlbumCollectionPage::showAlbum(const AlbumRecord& album)
{
    for (int f = kFirstDetail; f < kCollectionDetailEnd; ++f) {
        const Field field = fieldAt(f);
        const std::string& text = album.text(field);
        QWidget* w = control(field);
        if (field == Field::Status) {
            static_cast<QComboBox*>(w)->setCurrentIndex(static_cast<int>(statusOf(text)));
        } else if (field == Field::Rating) {
            static_cast<QComboBox*>(w)->setCurrentIndex(ratingOf(text));
        } else if (auto* box = qobject_cast<QComboBox*>(w)) {
            // A value the list holds is picked in it; any other stands in the edit part as typed.
            int row = -1;
            if (field == Field::Location)
                row = m_lists.rowOf(ValueListId::Location, text);
            else if (!text.empty())
                row = box->findData(toQt(text));
            box->setCurrentIndex(row);
            if (row < 0)
                box->setEditText(toQt(text));
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->setText(toQt(text));
            edit->setCursorPosition(0);
        }
        if (w)
            m_shown[f - kFirstDetail] = shownText(field);
    }
    m_loans = m_shownLoans = album.text(Field::Loans);
    showLoans();
}

QString AlbumCollectionPage::shownText(Field field) const
{
    QWidget* w = control(field);
    if (auto* box = qobject_cast<QComboBox*>(w))
        return box->isEditable() ? box->currentText() : QString::number(box->currentIndex());
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    return {};
}

bool AlbumCollectionPage::changed(Field field) const
{
    QWidget* w = control(field);
    if (!w)
        return false;
    if (auto* edit = qobject_cast<QLineEdit*>(w); edit && edit->isReadOnly())
        return false;
    return shownText(field) != m_shown[fieldIndex(field) - kFirstDetail];
}

std::string AlbumCollectionPage::typedText(Field field) const
{
    auto* box = qobject_cast<QComboBox*>(control(field));
    switch (field) {
    case Field::Status:
        return storedStatus(kAlbumStatuses[static_cast<std::size_t>(std::max(0, box->currentIndex()))]);
    case Field::Rating: return storedRating(box->currentIndex());
    case Field::MediaCondition:
    case Field::SleeveCondition: return gradeOf(*box);
    // Checked texts are kept without the blanks around them.
    case Field::Year:
    case Field::PurchaseDate: return toStd(shownText(field).trimmed());
    default: return toStd(shownText(field));
    }
}

void AlbumCollectionPage::readChanges(AlbumRecord& album) const
{
    for (int f = kFirstDetail; f < kCollectionDetailEnd; ++f)
        if (changed(fieldAt(f)))
            album.text(fieldAt(f)) = typedText(fieldAt(f));
    if (m_loans != m_shownLoans)
        album.text(Field::Loans) = m_loans;
}

std::optional<AlbumCollectionPage::Refusal> AlbumCollectionPage::refusal() const
{
    // Only what the user changed is checked: a text read from a file stays as it came.
    if (changed(Field::Year) && !validYear(typedText(Field::Year)))
        return Refusal{control(Field::Year), kYearRefused};
    if (changed(Field::PurchaseDate)) {
        const std::string date = typedText(Field::PurchaseDate);
        if (!date.empty() && !validDate(date))
            return Refusal{control(Field::PurchaseDate), kPurchaseDateRefused};
    }
    return std::nullopt;
}

void AlbumCollectionPage::showBarcodeCheck()
{
    auto* barcode = static_cast<QLineEdit*>(control(Field::Barcode));
    const bool wrong = checkBarcode(toStd(barcode->text())) == BarcodeCheck::WrongCheckDigit;
    m_barcodeNote->setVisible(wrong);
    // Heard with the field, as it is seen beneath it.
    barcode->setAccessibleDescription(wrong ? m_barcodeNote->text() : QString());
}

void AlbumCollectionPage::showLoans()
{
    const std::optional<Loan> out = currentLoan(m_loans);
    m_loanLine->setText(loanText(out));
    // One loan at a time: it comes back before the album goes out again.
    m_lend->setEnabled(!out);
    m_returned->setEnabled(out.has_value());

    m_history->clear();
    const std::vector<Loan> loans = loansOf(m_loans);
    QList<QTreeWidgetItem*> rows;
    // The latest first.
    for (auto it = loans.rbegin(); it != loans.rend(); ++it)
        if (!it->returned.empty())
            rows << new QTreeWidgetItem(
                QStringList{toQt(it->borrower), toQt(it->lent), toQt(it->due), toQt(it->returned)});
    m_history->addTopLevelItems(rows);
}

void AlbumCollectionPage::lendAlbum()
{
    LendDialog dialog(QDate::fromString(toQt(todaysDate()), Qt::ISODate), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_loans = lend(m_loans, dialog.loan());
    showLoans();
    // The button pressed is disabled now; the keyboard goes on from the one that can undo it.
    m_returned->setFocus();
}

void AlbumCollectionPage::markReturned()
{
    m_loans = returned(m_loans, todaysDate());
    showLoans();
    m_lend->setFocus();
}

} // namespace discora
