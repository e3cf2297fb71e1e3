#include "ui/cdplayer/cdplayerdialog.h"

#include "core/cdplayer/cdplayer.h"
#include "core/cdplayer/cdplayertext.h"
#include "core/cdplayer/disctimes.h"
#include "core/document/prompter.h"
#include "ui/cdplayer/bitmapbutton.h"
#include "ui/cdplayer/cdnoticebridge.h"
#include "ui/support/qttext.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace discora {

namespace {

struct ButtonInfo
{
    const char* image;
    const char* text;
};

// Left to right, in the order of CdPlayerDialog::Button.
constexpr ButtonInfo kButtons[] = {
    {"previous", "Previous"}, {"play", "Play"}, {"next", "Next"}, {"pause", "Pause"}, {"stop", "Stop"}};

QLabel* valueLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(120);
    return label;
}

} // namespace

CdPlayerDialog::CdPlayerDialog(CdPlayer& player, CdNoticeBridge& notices, Prompter& prompter,
                               const QString& drive, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_player(player), m_prompter(prompter), m_appliedDrive(drive)
{
    setWindowTitle(QString::fromLatin1(kCdPlayerTitle));
    setModal(false);

    auto* transport = new QHBoxLayout;
    transport->setSpacing(2);
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const QString image = QStringLiteral(":/cdplayer/%1").arg(QLatin1String(kButtons[i].image));
        m_buttons[i] =
            new BitmapButton(image + QStringLiteral("-up.svg"), image + QStringLiteral("-down.svg"),
                             QString::fromLatin1(kButtons[i].text), this);
        transport->addWidget(m_buttons[i]);
    }
    transport->addSpacing(12);
    m_continuous = new QPushButton(QStringLiteral("Continuous Play"), this);
    m_continuous->setCheckable(true);
    m_continuous->setChecked(m_player.continuous());
    m_continuous->setAutoDefault(false);
    transport->addWidget(m_continuous);
    transport->addStretch(1);

    auto* album = new QGridLayout;
    // Each value is read with its label: a label's buddy is what it names for screen readers.
    const auto addLabel = [&](const char* text, QWidget* value, int row, int column) {
        auto* label = new QLabel(QString::fromLatin1(text), this);
        label->setBuddy(value);
        album->addWidget(label, row, column);
    };
    for (QLabel*& label : m_album)
        label = valueLabel(this);
    m_playingTrack = valueLabel(this);
    m_state = valueLabel(this);
    addLabel("Group/Artist:", m_album[0], 0, 0);
    album->addWidget(m_album[0], 0, 1, 1, 3);
    addLabel("Album Name:", m_album[1], 1, 0);
    album->addWidget(m_album[1], 1, 1, 1, 3);
    addLabel("Music Type:", m_album[2], 2, 0);
    album->addWidget(m_album[2], 2, 1);
    addLabel("CD Number:", m_album[3], 2, 2);
    album->addWidget(m_album[3], 2, 3);
    addLabel("Playing Track:", m_playingTrack, 3, 0);
    album->addWidget(m_playingTrack, 3, 1);
    m_state->setMinimumWidth(0);
    album->addWidget(m_state, 3, 2);
    m_time = valueLabel(this);
    album->addWidget(m_time, 3, 3);
    m_position = new QProgressBar(this);
    m_position->setTextVisible(false);
    m_position->setMaximumHeight(fontMetrics().height() / 2 + 2);
    m_position->setAccessibleName(QStringLiteral("Position in the track"));
    album->addWidget(m_position, 4, 0, 1, 4);
    album->setColumnStretch(1, 1);
    album->setColumnStretch(3, 1);

    m_trackList = new QListWidget(this);
    m_trackList->setSortingEnabled(false);
    m_trackList->setMinimumHeight(120);
    m_trackList->setAccessibleName(QStringLiteral("Tracks"));

    auto* driveRow = new QHBoxLayout;
    auto* driveLabel = new QLabel(QStringLiteral("CD &drive:"), this);
    driveRow->addWidget(driveLabel);
    m_drive = new QLineEdit(drive, this);
    driveLabel->setBuddy(m_drive);
    m_drive->setPlaceholderText(QStringLiteral("the default drive"));
    m_drive->setToolTip(
        QStringLiteral("A drive's device file (/dev/sr0) or a disc image (.cue); empty for the "
                       "default drive"));
    driveRow->addWidget(m_drive, 1);
    auto* browse = new QPushButton(QStringLiteral("&Image..."), this);
    browse->setToolTip(QStringLiteral("Choose a disc image to play instead of a drive"));
    browse->setAutoDefault(false);
    driveRow->addWidget(browse);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(transport);
    layout->addLayout(album);
    layout->addWidget(m_trackList, 1);
    layout->addLayout(driveRow);

    connect(button(Button::Play), &QAbstractButton::clicked, this, [this] { m_player.play(); });
    connect(button(Button::Stop), &QAbstractButton::clicked, this, [this] { m_player.stop(); });
    connect(button(Button::Pause), &QAbstractButton::clicked, this, [this] { m_player.pause(); });
    connect(button(Button::Next), &QAbstractButton::clicked, this, [this] { m_player.next(); });
    connect(button(Button::Previous), &QAbstractButton::clicked, this, [this] { m_player.previous(); });
    connect(m_continuous, &QPushButton::toggled, this, [this](bool on) { m_player.setContinuous(on); });
    // Only the user's choice picks a track: a click or an arrow key selects an entry, Enter picks
    // the one it stands on. Focus coming into the list makes its first entry current without
    // selecting it, which is no choice.
    connect(m_trackList, &QListWidget::itemSelectionChanged, this, &CdPlayerDialog::selectionPicked);
    m_trackList->installEventFilter(this);
    connect(m_drive, &QLineEdit::editingFinished, this, &CdPlayerDialog::applyDrive);
    connect(browse, &QPushButton::clicked, this, &CdPlayerDialog::chooseImage);
    connect(
        &notices, &CdNoticeBridge::noticed, this, [this](quint64 id) { m_player.completionNotice(id); },
        Qt::QueuedConnection);

    m_clockTimer = new QTimer(this);
    m_clockTimer->setInterval(500);
    connect(m_clockTimer, &QTimer::timeout, this, &CdPlayerDialog::updatePlayback);
    m_clockTimer->start();

    m_player.setObserver(this);
    playerChanged();
}

void CdPlayerDialog::updatePlayback()
{
    const PlaybackState state = m_player.playbackState();
    const int elapsed = m_player.elapsedSeconds();
    const int length = m_player.trackSeconds();
    m_state->setText(toQt(playbackStateText(state)));
    // The state in full, as a screen reader speaks it when it changes: "Playing track 3". Set only
    // on a change, since each new name is announced.
    const QString spoken = toQt(m_player.stateText());
    if (m_state->accessibleName() != spoken)
        m_state->setAccessibleName(spoken);
    m_time->setText(state == PlaybackState::Stopped && m_player.playingTrack().empty()
                        ? QString()
                        : toQt(trackTimeText(elapsed, length)));
    m_position->setRange(0, std::max(length, 1));
    m_position->setValue(std::min(elapsed, std::max(length, 1)));
}

CdPlayerDialog::~CdPlayerDialog()
{
    m_player.setObserver(nullptr);
}

void CdPlayerDialog::showMessage(const std::string& message)
{
    m_prompter.showError(message);
}

void CdPlayerDialog::playerChanged()
{
    for (std::size_t i = 0; i < m_album.size(); ++i)
        m_album[i]->setText(toQt(m_player.albumTexts()[i]));
    m_playingTrack->setText(toQt(m_player.playingTrack()));
    setWindowTitle(toQt(playerWindowTitle(m_player.albumTexts())));
    updatePlayback();

    QStringList entries;
    for (const TrackListEntry& entry : m_player.trackList())
        entries << toQt(entry.text);
    QStringList shown;
    for (int row = 0; row < m_trackList->count(); ++row)
        shown << m_trackList->item(row)->text();
    if (entries != shown) {
        // Refilling the list is not the user picking a track.
        const QSignalBlocker block(m_trackList);
        m_trackList->clear();
        m_trackList->addItems(entries);
    }
}

void CdPlayerDialog::trackPicked(int row)
{
    if (row >= 0)
        m_player.pick(row);
}

void CdPlayerDialog::selectionPicked()
{
    const QList<QListWidgetItem*> selected = m_trackList->selectedItems();
    if (!selected.isEmpty())
        trackPicked(m_trackList->row(selected.first()));
}

bool CdPlayerDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_trackList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_trackList->currentRow() >= 0) {
            trackPicked(m_trackList->currentRow());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CdPlayerDialog::reject()
{
    if (m_closing)
        return;
    m_player.close();
}

bool CdPlayerDialog::offerDriveChoice(const std::string& message)
{
    if (!m_prompter.askChooseDrive(message))
        return false;
    // The drive field is the player's own: the window stays, with the field ready for typing.
    m_drive->setFocus(Qt::OtherFocusReason);
    m_drive->selectAll();
    return true;
}

void CdPlayerDialog::closeRequested()
{
    m_closing = true;
    QDialog::done(QDialog::Rejected);
}

void CdPlayerDialog::applyDrive()
{
    const QString drive = m_drive->text().trimmed();
    if (drive == m_appliedDrive)
        return;
    // A path that is neither a drive nor an image file is refused at once, before anything reads it.
    if (const std::string problem = cdDriveProblem(toPath(drive)); !problem.empty()) {
        m_prompter.showError(problem);
        m_drive->setText(m_appliedDrive);
        return;
    }
    m_appliedDrive = drive;
    emit driveChosen(drive);
}

void CdPlayerDialog::chooseImage()
{
    const QString start = m_appliedDrive.isEmpty() ? QString() : QFileInfo(m_appliedDrive).absolutePath();
    const QString file =
        QFileDialog::getOpenFileName(this, QStringLiteral("CD drive"), start,
                                     QStringLiteral("Disc images (*.cue *.toc *.nrg *.iso);;All files (*)"));
    if (file.isEmpty())
        return;
    m_drive->setText(file);
    applyDrive();
}

} // namespace discora
