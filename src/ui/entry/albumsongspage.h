// The "Songs" page of the entry sheet: 26 rows of track number, title and time, two rows to a
// line, the button that fills the times from the disc and the one that looks the album up online.
#pragma once

#include "core/catalogue/field.h"

#include <QWidget>

#include <array>
#include <string>

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

    // Empties every time, then shows times[k] in the time of song k + 1.
    void showTimes(const std::array<std::string, kSongSlots>& times);

private:
    std::array<QLineEdit*, kFieldCount> m_edits{};
    QPushButton* m_loadTimes = nullptr;
    QPushButton* m_lookUp = nullptr;
};

} // namespace discora
