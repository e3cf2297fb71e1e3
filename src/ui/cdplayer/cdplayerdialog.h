// The "Discora CD Player" window: the five transport buttons, "Continuous Play", the album shown,
// the track playing, the track list and the CD drive. It shows what the player engine holds and
// hands it every press; the engine's completion notices reach it queued from the playback thread.
// The view creates the window for Play and destroys it once it has closed.
#pragma once

#include "core/cdplayer/cdplayerobserver.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;

namespace discora {

class BitmapButton;
class CdNoticeBridge;
class CdPlayer;
class Prompter;

class CdPlayerDialog : public QDialog, public CdPlayerObserver
{
    Q_OBJECT
public:
    enum class Button
    {
        Previous,
        Play,
        Next,
        Pause,
        Stop
    };

    // drive: the drive or disc image in use, empty for the default drive.
    CdPlayerDialog(CdPlayer& player, CdNoticeBridge& notices, Prompter& prompter, const QString& drive,
                   QWidget* parent = nullptr);
    ~CdPlayerDialog() override;

    BitmapButton* button(Button which) const { return m_buttons[static_cast<std::size_t>(which)]; }
    QPushButton* continuousButton() const { return m_continuous; }
    // Group/artist, album name, music type and number, as shown.
    QLabel* albumLabel(int which) const { return m_album[static_cast<std::size_t>(which)]; }
    QLabel* playingTrackLabel() const { return m_playingTrack; }
    // "Playing", "Paused" or "Stopped"; the track's time; its position as a bar.
    QLabel* stateLabel() const { return m_state; }
    QLabel* timeLabel() const { return m_time; }
    QProgressBar* positionBar() const { return m_position; }
    // Shows the state and the time as they are now; a timer calls it while the window is open.
    void updatePlayback();
    QListWidget* trackList() const { return m_trackList; }
    QLineEdit* driveEdit() const { return m_drive; }

    // CdPlayerObserver
    void showMessage(const std::string& message) override;
    void playerChanged() override;
    void closeRequested() override;
    bool offerDriveChoice(const std::string& message) override;

public slots:
    // The close box and Escape: the disc stops and the window goes.
    void reject() override;

protected:
    // Enter on the track list picks the entry it stands on.
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The user named another drive or disc image.
    void driveChosen(const QString& drive);

private:
    void chooseImage();
    void applyDrive();
    void trackPicked(int row);
    void selectionPicked();

    CdPlayer& m_player;
    Prompter& m_prompter;
    std::array<BitmapButton*, 5> m_buttons{};
    QPushButton* m_continuous = nullptr;
    std::array<QLabel*, 4> m_album{};
    QLabel* m_playingTrack = nullptr;
    QLabel* m_state = nullptr;
    QLabel* m_time = nullptr;
    QProgressBar* m_position = nullptr;
    QTimer* m_clockTimer = nullptr;
    QListWidget* m_trackList = nullptr;
    QLineEdit* m_drive = nullptr;
    QString m_appliedDrive;
    bool m_closing = false;
};

} // namespace discora
