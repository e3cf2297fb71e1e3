#include "ui/support/coverpicture.h"

#include <QHash>

#include <algorithm>

namespace discora {

QColor placeholderColor(const QString& artist, const QColor& background)
{
    const int hue = static_cast<int>(qHash(artist) % 360);
    const QColor tint = QColor::fromHsl(hue, 90, background.lightness() < 128 ? 70 : 200);
    // Mostly the background, so a page of placeholders stays quiet.
    const auto mix = [](int a, int b) { return (a * 3 + b) / 4; };
    return QColor(mix(background.red(), tint.red()), mix(background.green(), tint.green()),
                  mix(background.blue(), tint.blue()));
}

void paintCoverPicture(QPainter& p, const CoverPicture& picture, const QFont& font, const QColor& background,
                       const QColor& text)
{
    const QRect& box = picture.box;
    if (!picture.look.image.isNull()) {
        const QSize size = picture.look.image.size().scaled(box.size(), Qt::KeepAspectRatio);
        const QRect at(box.x() + (box.width() - size.width()) / 2,
                       box.y() + (box.height() - size.height()) / 2, size.width(), size.height());
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(at, picture.look.image);
        p.restore();
        return;
    }
    p.save();
    p.fillRect(box, placeholderColor(picture.artist, background));
    QColor ink = text;
    ink.setAlphaF(0.55);
    p.setPen(ink);
    QFont big = font;
    big.setPixelSize(std::max(6, box.height() / 3));
    big.setBold(true);
    p.setFont(big);
    p.drawText(box, Qt::AlignCenter, picture.initials);
    if (picture.look.missing && box.height() >= 40) {
        QFont small = font;
        small.setPixelSize(std::max(7, box.height() / 10));
        p.setFont(small);
        p.drawText(box.adjusted(2, 2, -2, -4), Qt::AlignHCenter | Qt::AlignBottom,
                   QStringLiteral("Cover missing"));
    }
    p.restore();
}

} // namespace discora
