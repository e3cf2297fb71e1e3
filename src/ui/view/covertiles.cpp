#include "ui/view/covertiles.h"

#include "core/document/cataloguedocument.h"
#include "core/fileformat/coverfolder.h"
#include "core/layout/viewselection.h"
#include "core/model/field.h"
#include "core/order/orderentries.h"
#include "ui/support/qttext.h"

#include <QFontMetrics>
#include <QHash>

namespace discora {

namespace {

QRect toQRect(const TileRect& r, int scrollY)
{
    return QRect(r.x, r.y - scrollY, r.width, r.height);
}

CoverThumbnails::Source sourceOf(const CatalogueDocument& doc, const std::string& name)
{
    CoverThumbnails::Source source;
    source.name = QString::fromStdString(name);
    if (doc.coverPending(name)) {
        if (const auto bytes = doc.coverImage(name))
            source.bytes = QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
    } else if (!doc.coverFolder().empty()) {
        source.path = QString::fromStdString(coverPath(doc.coverFolder(), name));
    }
    return source;
}

void paintPlaceholder(QPainter& p, const QRect& box, const QString& artist, const QString& initials,
                      bool missing, const CoverTilesInput& in)
{
    const QColor fill = placeholderColor(artist, in.colors.background);
    p.fillRect(box, fill);
    QColor ink = in.colors.data;
    ink.setAlphaF(0.55);
    p.setPen(ink);
    QFont big = in.font;
    big.setPixelSize(std::max(8, box.height() / 3));
    big.setBold(true);
    p.setFont(big);
    p.drawText(box, Qt::AlignCenter, initials);
    if (missing) {
        QFont small = in.font;
        small.setPixelSize(std::max(7, box.height() / 10));
        p.setFont(small);
        p.drawText(box.adjusted(2, 2, -2, -4), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("Cover missing"));
    }
}

} // namespace

QColor placeholderColor(const QString& artist, const QColor& background)
{
    const int hue = static_cast<int>(qHash(artist) % 360);
    const bool dark = background.lightness() < 128;
    QColor tint = QColor::fromHsl(hue, 90, dark ? 70 : 200);
    // Mostly the background, so a page of placeholders stays quiet.
    const auto mix = [](int a, int b) { return (a * 3 + b) / 4; };
    return QColor(mix(background.red(), tint.red()), mix(background.green(), tint.green()),
                  mix(background.blue(), tint.blue()));
}

std::vector<CoverThumbnails::Source> paintCoverTiles(QPainter& p, const CoverTilesInput& in,
                                                     const CoverThumbnails& thumbnails)
{
    std::vector<CoverThumbnails::Source> wanted;
    const CoverGrid& g = in.grid;
    const int first = g.firstShown(in.scrollY);
    const int last = g.lastShown(in.scrollY, in.pageHeight);
    const QFontMetrics fm(in.font);
    QFont bold = in.font;
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int position = first; position <= last; ++position) {
        const auto album = albumOfEntry(in.doc, position);
        if (!album)
            continue;
        const int a = static_cast<int>(*album);
        const bool selected = in.selection.isSelected(position);
        if (selected)
            p.fillRect(toQRect(g.tile(position), in.scrollY), in.colors.selectedBackground);
        const QString artist = toQt(in.doc.text(Field::Artist, a));
        const QString albumName = toQt(in.doc.text(Field::AlbumName, a));
        const std::string name(in.doc.text(Field::Cover, a));
        const QRect box = toQRect(g.picture(position), in.scrollY);
        const QImage image = name.empty() ? QImage() : thumbnails.find(QString::fromStdString(name), g.side);
        if (!image.isNull()) {
            // Centred in its square, whatever its shape.
            const QSize size = image.size().scaled(box.size(), Qt::KeepAspectRatio);
            const QRect at(box.x() + (box.width() - size.width()) / 2,
                           box.y() + (box.height() - size.height()) / 2, size.width(), size.height());
            p.drawImage(at, image);
        } else {
            const bool missing = !name.empty() && thumbnails.unreadable(QString::fromStdString(name));
            paintPlaceholder(p, box, artist,
                             toQt(coverInitials(in.doc.text(Field::Artist, a), in.doc.text(Field::AlbumName, a))),
                             missing, in);
            if (!name.empty() && !missing)
                wanted.push_back(sourceOf(in.doc, name));
        }
        p.setPen(selected ? in.colors.selectedText : in.colors.data);
        p.setFont(bold);
        p.drawText(toQRect(g.caption(position, 0), in.scrollY), Qt::AlignLeft | Qt::AlignVCenter,
                   boldMetrics.elidedText(artist, Qt::ElideRight, g.side));
        p.setFont(in.font);
        p.drawText(toQRect(g.caption(position, 1), in.scrollY), Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(albumName, Qt::ElideRight, g.side));
    }
    p.restore();
    // The next page's covers, made while the user looks at this one.
    const int ahead = std::min(g.entries - 1, last + g.rowsPerPage(in.pageHeight) * g.columns);
    for (int position = std::max(first, last + 1); position <= ahead; ++position) {
        const auto album = albumOfEntry(in.doc, position);
        if (!album)
            continue;
        const std::string name(in.doc.text(Field::Cover, static_cast<int>(*album)));
        if (!name.empty() && thumbnails.find(QString::fromStdString(name), g.side).isNull() &&
            !thumbnails.unreadable(QString::fromStdString(name)))
            wanted.push_back(sourceOf(in.doc, name));
    }
    return wanted;
}

} // namespace discora
