#include "ui/view/covertiles.h"

#include "core/document/cataloguedocument.h"
#include "core/fileformat/coverfolder.h"
#include "core/layout/viewselection.h"
#include "core/model/field.h"
#include "core/order/orderentries.h"
#include "ui/support/coverpicture.h"
#include "ui/support/qttext.h"

#include <QFontMetrics>

namespace discora {

namespace {

QRect toQRect(const TileRect& r, int scrollY)
{
    return QRect(r.x, r.y - scrollY, r.width, r.height);
}

} // namespace

CoverThumbnails::Source coverSourceOf(const CatalogueDocument& doc, const std::string& name)
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
        CoverLook look;
        if (!name.empty()) {
            const QString qname = QString::fromStdString(name);
            look = {thumbnails.find(qname, g.side), thumbnails.unreadable(qname)};
            if (look.image.isNull() && !look.missing)
                wanted.push_back(coverSourceOf(in.doc, name));
        }
        const QString initials =
            toQt(coverInitials(in.doc.text(Field::Artist, a), in.doc.text(Field::AlbumName, a)));
        paintCoverPicture(p, {box, look, artist, initials}, in.font, in.colors.background, in.colors.data);
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
            wanted.push_back(coverSourceOf(in.doc, name));
    }
    return wanted;
}

} // namespace discora
