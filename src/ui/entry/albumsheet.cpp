#include "ui/entry/albumsheet.h"

#include "core/cdplayer/cdplayertext.h"
#include "core/cdplayer/disctimes.h"
#include "core/document/playertimessource.h"
#include "core/document/prompter.h"
#include "core/fileformat/coverfolder.h"
#include "core/import/tracklist.h"
#include "ui/entry/albumcollectionpage.h"
#include "ui/entry/albumgeneralpage.h"
#include "ui/entry/albumperformerspage.h"
#include "ui/entry/albumsongspage.h"
#include "ui/entry/coverbox.h"
#include "ui/entry/entrytext.h"
#include "ui/entry/lookupbutton.h"
#include "ui/entry/tracklistpreview.h"
#include "ui/entry/typinglimit.h"
#include "ui/support/linkedtext.h"
#include "ui/support/qttext.h"

#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace discora {

AlbumSheet::AlbumSheet(CatalogueDocument& doc, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_prompter(prompter), m_lists(prompter, this)
{
    setWindowTitle(QString::fromUtf8(kAlbumSheetCaption));
    m_tabs = new QTabWidget(this);
    m_general = new AlbumGeneralPage(m_lists, m_tabs);
    m_songs = new AlbumSongsPage(m_tabs);
    m_performers = new AlbumPerformersPage(m_tabs);
    m_collection = new AlbumCollectionPage(m_lists, m_tabs);
    m_tabs->addTab(m_general, QStringLiteral("General"));
    m_tabs->addTab(m_songs, QStringLiteral("Songs"));
    m_tabs->addTab(m_performers, QStringLiteral("Performers"));
    m_tabs->addTab(m_collection, QStringLiteral("Collection"));
    connect(m_songs->loadTimesButton(), &QPushButton::clicked, this, &AlbumSheet::loadTimesFromCd);
    connect(coverBox(), &CoverBox::chooseRequested, this, &AlbumSheet::chooseCover);
    connect(coverBox(), &CoverBox::removeRequested, this, &AlbumSheet::removeCover);
    connect(coverBox(), &CoverBox::pictureOffered, this,
            [this](const QMimeData& data) { setCoverFromData(data); });
    connect(m_songs, &AlbumSongsPage::pasteTrackListRequested, this, &AlbumSheet::pasteTrackList);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &AlbumSheet::acceptIfKept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QPushButton* button : {m_general->lookUpButton(), m_songs->lookUpButton()}) {
        connect(button, &QPushButton::clicked, this, &AlbumSheet::lookUpOrCancel);
        button->setEnabled(false);
    }

    m_lookupStatus = new QLabel(this);
    m_lookupStatus->setWordWrap(true);
    m_lookupBusy = new QProgressBar(this);
    m_lookupBusy->setRange(0, 0); // no steps to count: a busy indicator
    m_lookupBusy->setMaximumWidth(120);
    m_lookupBusy->setVisible(false);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(m_lookupStatus, 1);
    statusRow->addWidget(m_lookupBusy);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(statusRow);
    layout->addWidget(m_buttons);

    m_general->setHeadings(m_doc.headings());
    m_doc.addObserver(this);
}

AlbumSheet::~AlbumSheet()
{
    m_doc.removeObserver(this);
}

std::optional<AlbumRecord> AlbumSheet::editAlbum(const AlbumRecord& album,
                                                 const std::array<std::string, 2>& headings)
{
    m_lists.refreshModels();
    m_general->setHeadings(headings);
    showAlbum(album);
    m_tabs->setCurrentIndex(0);
    m_general->control(Field::Artist)->setFocus();
    const int result = exec();
    // A lookup still under way would fill the next album shown.
    if (m_lookupUnderWay && m_lookupUnderWay() && m_lookUpOrCancel)
        m_lookUpOrCancel();
    if (result != QDialog::Accepted)
        return std::nullopt;
    return typedAlbum();
}

void AlbumSheet::acceptIfKept()
{
    // A text that cannot be kept is named, and the user is taken to it to put it right.
    if (const auto refusal = m_collection->refusal()) {
        m_tabs->setCurrentWidget(m_collection);
        refusal->field->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(refusal->field))
            edit->selectAll();
        m_prompter.showError(refusal->message);
        return;
    }
    accept();
}

void AlbumSheet::setLookUp(std::function<void()> lookUpOrCancel, std::function<bool()> busy)
{
    m_lookUpOrCancel = std::move(lookUpOrCancel);
    m_lookupUnderWay = std::move(busy);
    for (QPushButton* button : {m_general->lookUpButton(), m_songs->lookUpButton()})
        button->setEnabled(static_cast<bool>(m_lookUpOrCancel));
}

void AlbumSheet::lookUpOrCancel()
{
    if (m_lookUpOrCancel)
        m_lookUpOrCancel();
}

std::string AlbumSheet::typedArtist() const
{
    return toStd(shownText(Field::Artist).trimmed());
}

std::string AlbumSheet::typedAlbumName() const
{
    return toStd(shownText(Field::AlbumName).trimmed());
}

void AlbumSheet::setLookupBusy(bool busy)
{
    m_lookupBusy->setVisible(busy);
    for (QPushButton* button : {m_general->lookUpButton(), m_songs->lookUpButton()})
        showLookupBusy(button, busy);
    okButton()->setEnabled(!busy);
}

void AlbumSheet::showLookupStatus(const std::string& status)
{
    showLinkedText(*m_lookupStatus, toQt(status));
}

std::vector<std::string> AlbumSheet::fillFromRelease(const Release& release, const ReleaseMedium* medium,
                                                     ReleaseTimes times,
                                                     const std::vector<std::string>& discTimes)
{
    const AlbumRecord typed = typedAlbum();
    const ReleaseFill fill = discora::fillFromRelease(typed, release, medium, times, discTimes);
    for (int f = 0; f < kStoredFieldCount; ++f) {
        const Field field = fieldAt(f);
        const std::string& text = fill.album.text(field);
        if (text == typed.text(field))
            continue;
        const bool title = f >= fieldIndex(Field::FirstTitle) && f < fieldIndex(Field::FirstTime);
        fillIfEmpty(field, text, title ? kSongTitleLimit : -1);
    }
    return fill.filled;
}

void AlbumSheet::clearEntryLists()
{
    m_lists.clear();
}

void AlbumSheet::addEntryValue(ValueListId list, const std::string& text)
{
    m_lists.append(list, text);
}

void AlbumSheet::headingsChanged()
{
    m_general->setHeadings(m_doc.headings());
}

void AlbumSheet::loadTimesFromCd()
{
    // The controls hold what was typed so far; only the time fields and empty texts change.
    DiscReading reading;
    reading.error = CdError::CannotOpen;
    if (m_discReader) {
        const std::unique_ptr<CdDevice> device = m_discReader();
        reading = readDiscTimes(*device);
        if (!reading.message.empty())
            m_prompter.showError(reading.message);
    }
    std::array<std::string, kSongSlots> times;
    if (reading.ok()) {
        std::copy_n(reading.times.begin(), std::min(reading.times.size(), times.size()), times.begin());
    } else {
        // The CD player may hold the disc's times even when the drive cannot be read now.
        if (m_playerTimesSource)
            m_playerTimesSource->fillPlayerTimes(times);
        if (times[0].empty()) {
            // Both came to nothing: the fields keep their times, and the user hears why once.
            if (reading.message.empty())
                m_prompter.showError(kNoCdDetected);
            return;
        }
    }
    m_songs->showTimes(times);
    if (!reading.ok())
        return;
    fillIfEmpty(Field::Artist, reading.text.performer, -1);
    fillIfEmpty(Field::AlbumName, reading.text.albumTitle, -1);
    for (int k = 1; k <= kSongSlots && k <= static_cast<int>(reading.times.size()); ++k)
        fillIfEmpty(titleField(k), reading.text.trackTitle(k), kSongTitleLimit);
}

void AlbumSheet::pasteTrackList()
{
    const TrackList list = parseTrackList(toStd(QGuiApplication::clipboard()->text()));
    if (list.songs.empty() && list.unread.empty()) {
        m_prompter.showError(kClipboardHoldsNoTrackList);
        return;
    }
    const SongFill fill = fillEmptySongs(m_songs->songSlots(), list.songs, kSongTitleLimit);
    TrackListPreview preview(fill, list.unread, kSongTitleLimit, this);
    if (preview.exec() == QDialog::Accepted && fill.changesAnything())
        m_songs->showPastedSongs(fill.songs);
}

void AlbumSheet::fillIfEmpty(Field field, const std::string& text, int limit)
{
    if (text.empty() || !shownText(field).isEmpty())
        return;
    QString value = toQt(text);
    if (limit >= 0) {
        const QList<uint> codePoints = value.toUcs4();
        if (codePoints.size() > limit)
            value = QString::fromUcs4(reinterpret_cast<const char32_t*>(codePoints.constData()), limit);
    }
    QWidget* w = control(field);
    if (auto* box = qobject_cast<QComboBox*>(w); box && box->isEditable())
        box->setEditText(value);
    else if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !edit->isReadOnly())
        TypingLimit::showText(edit, value);
}

QWidget* AlbumSheet::control(Field field) const
{
    if (isDetail(fieldIndex(field)))
        return m_collection->control(field);
    if (QWidget* w = m_general->control(field))
        return w;
    if (QLineEdit* edit = m_songs->lineEdit(field))
        return edit;
    return m_performers->lineEdit(field);
}

QComboBox* AlbumSheet::comboBox(Field field) const
{
    return qobject_cast<QComboBox*>(control(field));
}

QLineEdit* AlbumSheet::lineEdit(Field field) const
{
    return qobject_cast<QLineEdit*>(control(field));
}

QPlainTextEdit* AlbumSheet::notesEdit() const
{
    return m_general->notesEdit();
}

QLabel* AlbumSheet::headingLabel(int which) const
{
    return m_general->headingLabel(which);
}

QPushButton* AlbumSheet::loadTimesButton() const
{
    return m_songs->loadTimesButton();
}

QPushButton* AlbumSheet::lookUpButton() const
{
    return m_songs->lookUpButton();
}

QPushButton* AlbumSheet::generalLookUpButton() const
{
    return m_general->lookUpButton();
}

QPushButton* AlbumSheet::pasteTrackListButton() const
{
    return m_songs->pasteTrackListButton();
}

QPushButton* AlbumSheet::okButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

QPushButton* AlbumSheet::cancelButton() const
{
    return m_buttons->button(QDialogButtonBox::Cancel);
}

void AlbumSheet::showAlbum(const AlbumRecord& album)
{
    m_album = album;
    showLinkedText(*m_lookupStatus, QString());
    m_songs->forgetPaste();
    for (int f = 0; f < kFieldCount; ++f) {
        const Field field = fieldAt(f);
        const std::string& text = album.text(field);
        QWidget* w = control(field);
        if (auto* box = qobject_cast<QComboBox*>(w)) {
            // A value the list holds is picked in it; any other stands in the edit part as typed.
            const int row = m_lists.rowOf(*valueListOf(field), text);
            box->setCurrentIndex(row);
            if (row < 0)
                box->setEditText(toQt(text));
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            TypingLimit::showText(edit, toQt(text));
            edit->setCursorPosition(0);
        } else if (auto* notes = qobject_cast<QPlainTextEdit*>(w)) {
            notes->setPlainText(notesForDisplay(text));
        }
        m_shown[f] = shownText(field);
    }
    m_collection->showAlbum(album);
    m_coverName = album.text(Field::Cover);
    showCurrentCover();
}

CoverBox* AlbumSheet::coverBox() const
{
    return m_general->coverBox();
}

void AlbumSheet::showCurrentCover()
{
    const std::optional<std::string> picture =
        m_coverName.empty() ? std::nullopt : m_doc.coverImage(m_coverName);
    coverBox()->showCover(picture, !m_coverName.empty() && !picture,
                          toQt(m_album.artist.empty() ? m_album.albumName : m_album.artist));
}

void AlbumSheet::chooseCover()
{
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Choose Cover"), QString(),
                                     QStringLiteral("Pictures (*.jpg *.jpeg *.png *.gif *.bmp *.webp)"));
    if (!path.isEmpty())
        setCoverFromFile(path);
}

bool AlbumSheet::setCoverFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return keptOrSaid(Error{toStd(file.errorString())}, QLatin1Char('"') + path + QLatin1Char('"'));
    return keptOrSaid(keepCover(file.readAll()), QLatin1Char('"') + path + QLatin1Char('"'));
}

bool AlbumSheet::setCoverFromData(const QMimeData& data)
{
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            return setCoverFromFile(url.toLocalFile());
    if (!data.hasImage())
        return false;
    const QImage image = qvariant_cast<QImage>(data.imageData());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return keptOrSaid(keepCover(bytes), QStringLiteral("the pasted picture"));
}

Status AlbumSheet::takeFetchedCover(std::string_view picture)
{
    return keepCover(QByteArray(picture.data(), static_cast<qsizetype>(picture.size())));
}

bool AlbumSheet::keptOrSaid(const Status& kept, const QString& from)
{
    if (!kept)
        m_prompter.showError("Cannot use " + toStd(from) + " as the cover: " + kept.error() + ".");
    return kept.ok();
}

Status AlbumSheet::keepCover(QByteArray bytes)
{
    // Kept as found where it can be; else once scaled down, or written as a PNG.
    constexpr int kLargestSide = 4000;
    QBuffer source(&bytes);
    source.open(QIODevice::ReadOnly);
    QImageReader reader(&source);
    const QByteArray format = reader.format();
    // A picture of more pixels is decoded at the size it is kept at (a JPEG's decoder does that
    // itself, quickly), never whole first.
    const QSize size = reader.size();
    const bool tooManyPixels = size.width() > kLargestSide || size.height() > kLargestSide;
    if (tooManyPixels)
        reader.setScaledSize(size.scaled(kLargestSide, kLargestSide, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        return Error{"it is not a picture"};
    const bool tooLarge = tooManyPixels || image.width() > kLargestSide || image.height() > kLargestSide ||
                          static_cast<std::size_t>(bytes.size()) > kCoverByteLimit;
    if (tooLarge || (format != "jpeg" && format != "png")) {
        if (image.width() > kLargestSide || image.height() > kLargestSide)
            image = image.scaled(kLargestSide, kLargestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, tooLarge ? "JPEG" : "PNG", tooLarge ? 90 : -1);
    }
    const auto name =
        m_doc.addCoverImage(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!name)
        return Error{name.error()};
    m_coverName = *name;
    showCurrentCover();
    return success();
}

void AlbumSheet::removeCover()
{
    m_coverName.clear();
    showCurrentCover();
}

QString AlbumSheet::shownText(Field field) const
{
    QWidget* w = control(field);
    if (auto* box = qobject_cast<QComboBox*>(w))
        return box->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* notes = qobject_cast<QPlainTextEdit*>(w)) {
        // The raw text keeps no-break spaces, which the plain text turns into ordinary ones.
        QString text = notes->document()->toRawText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        return text;
    }
    return {};
}

AlbumRecord AlbumSheet::typedAlbum() const
{
    AlbumRecord typed = m_album;
    for (int f = 0; f < kFieldCount; ++f) {
        const Field field = fieldAt(f);
        const QString now = shownText(field);
        if (now == m_shown[f])
            continue;
        typed.text(field) = field == Field::Notes ? notesForCatalogue(now) : toStd(now);
    }
    m_collection->readChanges(typed);
    typed.text(Field::Cover) = m_coverName;
    return typed;
}

} // namespace discora
