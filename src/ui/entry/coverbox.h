// The album's front cover on the entry sheet's first page: the picture (or a quiet placeholder
// with the album's initials), Choose Cover... and Remove Cover. The picture takes the keyboard:
// Enter or a click shows it larger, Ctrl+V pastes a picture or a picture file, and one can be
// dropped on the box. The sheet decides what a choice does; the box shows what it is given.
#pragma once

#include <QImage>
#include <QWidget>

#include <optional>
#include <string>

class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMimeData;
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

    // The picture as large as fits the screen, in a window of its own, until Escape or a click.
    void showLarger();
    // What a drop of data on the box does (a picture or a picture file is offered).
    void dropPicture(const QMimeData& data);

signals:
    void chooseRequested();
    void removeRequested();
    // A paste or a drop: the picture or the picture file the data holds.
    void pictureOffered(const QMimeData& data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QLabel* m_picture = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_remove = nullptr;
    bool m_shows = false;
    QImage m_image;
};

// Whether data holds a picture or a local file that may be one.
bool offersPicture(const QMimeData& data);

// "AN" of "Amber Nightjar": the first letters of the first two words, for a cover's placeholder.
QString initialsOf(const QString& text);

} // namespace discora
