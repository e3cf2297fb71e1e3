// What a pasted track list will do to the album's songs, shown before anything changes: each song
// with the slot it goes to and what stays as typed, and each line that was not understood with why.
// OK applies the paste; Cancel leaves the songs as they are.
#pragma once

#include "core/import/tracklist.h"
#include "core/model/songfill.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace discora {

inline constexpr const char* kTrackListPreviewCaption = "Paste Track List";
inline constexpr const char* kClipboardHoldsNoTrackList =
    "The clipboard holds no track list. Copy the songs of an album, one to a line, and paste again.";

class TrackListPreview : public QDialog
{
    Q_OBJECT
public:
    TrackListPreview(const SongFill& fill, const std::vector<UnreadLine>& unread, int titleLimit,
                     QWidget* parent = nullptr);

    QTreeWidget* songs() const { return m_songs; }
    QListWidget* unreadLines() const { return m_unread; }
    QPushButton* okButton() const;

private:
    QTreeWidget* m_songs = nullptr;
    QListWidget* m_unread = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace discora
