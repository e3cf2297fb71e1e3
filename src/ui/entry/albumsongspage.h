// The "Songs" page of the entry sheet: 26 rows of track number, title and time, two rows to a
// line, the button that fills the times from the disc, the one that looks the album up online and
// the one that pastes a track list. A pasted list is taken back by one Undo while the sheet is open.
#pragma once

#include "core/model/field.h"
#include "core/model/songfill.h"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QLineEdit;
class QPushButton;

namespace discora {

class AlbumSongsPage : public QWidget
{
    Q_OBJECT
public:
    explicit AlbumSongsPage(QWidget* parent = nullptr);

    // The edit holding a track number, title or time field, or null for any other field.
    QLineEdit* lineEdit(Field field) const;
    QPushButton* loadTimesButton() const { return m_loadTimes; }
    QPushButton* lookUpButton() const { return m_lookUp; }
    QPushButton* pasteTrackListButton() const { return m_pasteTrackList; }

    // Empties every time, then shows times[k] in the time of song k + 1.
    void showTimes(const std::array<std::string, kSongSlots>& times);

    // The 26 songs as the fields read now.
    SongSlots songSlots() const;
    // Shows songs in the fields, remembering what the fields held so that takeBackPaste() can put
    // it back.
    void showPastedSongs(const SongSlots& songs);
    // Puts back each field the last paste changed and the user has not changed since.
    void takeBackPaste();
    bool canTakeBackPaste() const { return !m_beforePaste.empty(); }
    // A new album on the sheet: the last paste is no longer its to take back.
    void forgetPaste() { m_beforePaste.clear(); }

signals:
    void pasteTrackListRequested();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::array<QLineEdit*, kFieldCount> m_edits{};
    QPushButton* m_loadTimes = nullptr;
    QPushButton* m_lookUp = nullptr;
    QPushButton* m_pasteTrackList = nullptr;
    // Per field the paste changed: the text before and the text the paste put in.
    struct PastedField
    {
        QLineEdit* edit;
        QString before;
        QString pasted;
    };
    std::vector<PastedField> m_beforePaste;
};

} // namespace discora
