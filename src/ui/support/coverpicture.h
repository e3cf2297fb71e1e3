// An album's front cover as the views and the printout draw it: the picture centred in its square,
// or, while there is none (or its file is gone), a quiet square in a colour of the artist's with the
// album's initials.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <functional>
#include <string_view>

namespace discora {

// What there is to show for a cover's name at a size: the picture, or null while it is being made
// or when it cannot be read (missing).
struct CoverLook
{
    QImage image;
    bool missing = false;
};
using CoverLookup = std::function<CoverLook(std::string_view name, int side)>;

// A calm colour for an album's placeholder, the same for the same artist, close to the background.
QColor placeholderColor(const QString& artist, const QColor& background);

struct CoverPicture
{
    QRect box;
    CoverLook look;
    QString artist;
    QString initials;
};

void paintCoverPicture(QPainter& painter, const CoverPicture& picture, const QFont& font,
                       const QColor& background, const QColor& text);

} // namespace discora
