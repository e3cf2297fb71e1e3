// The album's front cover on the entry sheet's first page: the picture (or a quiet placeholder
// with the album's initials), Choose Cover... and Remove Cover. The sheet decides what a choice
// does; the box shows what it is given.
#pragma once

#include <QWidget>

#include <optional>
#include <string>

class QLabel;
class QPushButton;

namespace discora {

class CoverBox : public QWidget
{
    Q_OBJECT
public:
    explicit CoverBox(QWidget* parent = nullptr);

    // Shows the picture of these bytes; without any (no cover, or its file is missing), the
    // initials of the album, with a note when a cover is named but cannot be found.
    void showCover(const std::optional<std::string>& picture, bool missing, const QString& initialsOf);

    QLabel* picture() const { return m_picture; }
    QPushButton* chooseButton() const { return m_choose; }
    QPushButton* removeButton() const { return m_remove; }
    // Whether a picture is shown.
    bool showsPicture() const { return m_shows; }

signals:
    void chooseRequested();
    void removeRequested();

private:
    QLabel* m_picture = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_remove = nullptr;
    bool m_shows = false;
};

// "AN" of "Amber Nightjar": the first letters of the first two words, for a cover's placeholder.
QString initialsOf(const QString& text);

} // namespace discora
