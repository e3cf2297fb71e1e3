#include "ui/entry/albumsongspage.h"

#include "ui/entry/entrytext.h"
#include "ui/entry/lookupbutton.h"
#include "ui/entry/typinglimit.h"
#include "ui/support/qttext.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace discora {

namespace {

constexpr int kSongsPerLine = 2;
// Each song takes three grid columns; one spacer column stands between the two songs of a line.
constexpr int kColumnsPerSong = 4;

} // namespace

AlbumSongsPage::AlbumSongsPage(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    const QFontMetrics metrics = fontMetrics();
    const int margin = 12; // the frame and text margins of a line edit
    const int trackWidth = metrics.horizontalAdvance(QStringLiteral("000")) + margin;
    const int timeWidth = metrics.horizontalAdvance(QStringLiteral("00:000")) + margin;
    const int titleWidth = metrics.averageCharWidth() * 32 + margin;

    for (int side = 0; side < kSongsPerLine; ++side) {
        const int column = side * kColumnsPerSong;
        grid->addWidget(new QLabel(QStringLiteral("#"), this), 0, column);
        grid->addWidget(new QLabel(QStringLiteral("Song Title"), this), 0, column + 1);
        grid->addWidget(new QLabel(QStringLiteral("Time"), this), 0, column + 2);
        grid->setColumnStretch(column + 1, 1);
    }
    grid->setColumnMinimumWidth(kColumnsPerSong - 1, 12);

    auto addEdit = [&](Field field, int limit, int width, int row, int column, const QString& name) {
        auto* edit = new QLineEdit(this);
        // The grid's headings stand once above many fields: each field carries its own name.
        edit->setAccessibleName(name);
        TypingLimit::install(edit, limit);
        if (width > 0)
            edit->setFixedWidth(width);
        else
            edit->setMinimumWidth(titleWidth);
        grid->addWidget(edit, row, column);
        edit->installEventFilter(this);
        m_edits[fieldIndex(field)] = edit;
        return edit;
    };
    // Created song by song: the tab order runs through song 1's number, title and time, then song 2's.
    for (int k = 1; k <= kSongSlots; ++k) {
        const int row = 1 + (k - 1) / kSongsPerLine;
        const int column = ((k - 1) % kSongsPerLine) * kColumnsPerSong;
        addEdit(trackField(k), kTrackNumberLimit, trackWidth, row, column,
                QStringLiteral("Song %1 #").arg(k));
        addEdit(titleField(k), kSongTitleLimit, 0, row, column + 1, QStringLiteral("Song %1 title").arg(k));
        addEdit(timeField(k), kSongTimeLimit, timeWidth, row, column + 2,
                QStringLiteral("Song %1 time").arg(k));
    }

    m_lookUp = makeLookUpButton(this);
    m_pasteTrackList = new QPushButton(QStringLiteral("&Paste Track List"), this);
    m_pasteTrackList->setAutoDefault(false);
    m_pasteTrackList->setToolTip(QStringLiteral("Fills the empty song titles and times from a track list "
                                                "copied to the clipboard (Ctrl+Shift+V)"));
    connect(m_pasteTrackList, &QPushButton::clicked, this, &AlbumSongsPage::pasteTrackListRequested);
    auto* pasteKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), this);
    pasteKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(pasteKey, &QShortcut::activated, this, &AlbumSongsPage::pasteTrackListRequested);
    // Where no edit has the focus (the button just pressed, say), Undo still takes the paste back.
    auto* undoKey = new QShortcut(QKeySequence::Undo, this);
    undoKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(undoKey, &QShortcut::activated, this, &AlbumSongsPage::takeBackPaste);
    // Made after the other two, so Tab reaches the buttons left to right.
    m_loadTimes = new QPushButton(QStringLiteral("Load &Times from CD"), this);
    m_loadTimes->setAutoDefault(false);
    m_loadTimes->setToolTip(QStringLiteral("Fill the times from the audio CD in the drive (Ctrl+T)"));
    // A key of its own beside the button's Alt letter, so that no field needs tabbing away from.
    auto* loadTimesKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), this);
    loadTimesKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(loadTimesKey, &QShortcut::activated, m_loadTimes, &QPushButton::click);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_lookUp);
    buttonRow->addWidget(m_pasteTrackList);
    buttonRow->addWidget(m_loadTimes);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttonRow);
}

QLineEdit* AlbumSongsPage::lineEdit(Field field) const
{
    return m_edits[fieldIndex(field)];
}

void AlbumSongsPage::showTimes(const std::array<std::string, kSongSlots>& times)
{
    for (int k = 1; k <= kSongSlots; ++k)
        TypingLimit::showText(lineEdit(timeField(k)), toQt(times[k - 1]));
}

SongSlots AlbumSongsPage::songSlots() const
{
    SongSlots songs;
    for (int k = 1; k <= kSongSlots; ++k) {
        songs[k - 1] = {toStd(lineEdit(trackField(k))->text()), toStd(lineEdit(titleField(k))->text()),
                        toStd(lineEdit(timeField(k))->text())};
    }
    return songs;
}

void AlbumSongsPage::showPastedSongs(const SongSlots& songs)
{
    m_beforePaste.clear();
    auto show = [this](Field field, const std::string& text) {
        QLineEdit* edit = lineEdit(field);
        const QString pasted = toQt(text);
        if (edit->text() == pasted)
            return;
        m_beforePaste.push_back({edit, edit->text(), pasted});
        TypingLimit::showText(edit, pasted);
    };
    for (int k = 1; k <= kSongSlots; ++k) {
        show(trackField(k), songs[k - 1].trackNumber);
        show(titleField(k), songs[k - 1].title);
        show(timeField(k), songs[k - 1].time);
    }
}

void AlbumSongsPage::takeBackPaste()
{
    for (const PastedField& field : m_beforePaste) {
        if (field.edit->text() == field.pasted)
            TypingLimit::showText(field.edit, field.before);
    }
    m_beforePaste.clear();
}

bool AlbumSongsPage::eventFilter(QObject* watched, QEvent* event)
{
    // An edit's own typing since the paste is undone first, by the edit; then the paste itself.
    if (event->type() == QEvent::KeyPress && canTakeBackPaste()) {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo) && !edit->isUndoAvailable()) {
            takeBackPaste();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace discora
