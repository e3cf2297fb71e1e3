#include "ui/entry/albumsongspage.h"

#include "ui/entry/entrytext.h"
#include "ui/entry/typinglimit.h"
#include "ui/support/qttext.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

    m_loadTimes = new QPushButton(QStringLiteral("Load Times from CD"), this);
    m_loadTimes->setAutoDefault(false);
    m_loadTimes->setToolTip(QStringLiteral("Fill the times from the audio CD in the drive"));
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
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

} // namespace discora
