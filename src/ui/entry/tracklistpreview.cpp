#include "ui/entry/tracklistpreview.h"

#include "ui/support/qttext.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace discora {

namespace {

QString noteOf(const SongPlacement& p, const SongSlot& kept, int titleLimit)
{
    if (p.slot == 0)
        return QStringLiteral("not pasted: an album holds %1 songs").arg(kSongSlots);
    QStringList notes;
    if (p.titleKept)
        notes << QStringLiteral("typed title \u201c%1\u201d kept").arg(toQt(kept.title));
    if (p.timeKept)
        notes << QStringLiteral("typed time %1 kept").arg(toQt(kept.time));
    if (p.titleCut && p.titleFilled)
        notes << QStringLiteral("title cut to %1 characters").arg(titleLimit);
    if (notes.isEmpty() && !p.titleFilled && !p.timeFilled && !p.trackNumberSet)
        notes << QStringLiteral("already as listed");
    return notes.join(QStringLiteral("; "));
}

} // namespace

TrackListPreview::TrackListPreview(const SongFill& fill, const std::vector<UnreadLine>& unread,
                                   int titleLimit, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8(kTrackListPreviewCaption));
    auto* layout = new QVBoxLayout(this);
    const bool changes = fill.changesAnything();
    layout->addWidget(new QLabel(changes ? QStringLiteral("These songs go into empty titles and times; "
                                                          "what was typed stays:")
                                         : QStringLiteral("Nothing to fill: the songs already hold "
                                                          "these titles and times, or typed ones."),
                                 this));

    m_songs = new QTreeWidget(this);
    m_songs->setRootIsDecorated(false);
    m_songs->setHeaderLabels({QStringLiteral("Song"), QStringLiteral("#"), QStringLiteral("Song Title"),
                              QStringLiteral("Time"), QStringLiteral("Note")});
    for (const SongPlacement& p : fill.placements) {
        const SongSlot& slot = p.slot > 0 ? fill.songs[p.slot - 1] : SongSlot{};
        auto* row = new QTreeWidgetItem(m_songs);
        row->setText(0, p.slot > 0 ? QString::number(p.slot) : QStringLiteral("-"));
        row->setText(1, toQt(p.song.trackNumber));
        row->setText(2, toQt(p.song.title));
        row->setText(3, toQt(p.song.time));
        row->setText(4, noteOf(p, slot, titleLimit));
    }
    m_songs->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_songs, 3);

    m_unread = new QListWidget(this);
    for (const UnreadLine& line : unread) {
        m_unread->addItem(
            QStringLiteral("Line %1: %2 \u2014 %3").arg(line.line).arg(toQt(line.text), toQt(line.reason)));
    }
    if (!unread.empty()) {
        layout->addWidget(new QLabel(QStringLiteral("Lines not understood, left out:"), this));
        layout->addWidget(m_unread, 1);
    } else {
        m_unread->hide();
    }

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton()->setEnabled(changes);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_buttons);
    resize(640, 420);
}

QPushButton* TrackListPreview::okButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

} // namespace discora
