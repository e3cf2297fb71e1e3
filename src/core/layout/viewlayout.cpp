#include "core/layout/viewlayout.h"

#include "core/layout/normallayout.h"
#include "core/order/orders.h"
#include "core/view/catalogue.h"

#include <algorithm>
#include <cctype>

namespace discora {

LayoutKind layoutKindOf(SortOrder order, ViewStyle style)
{
    if (!isAlbumOrder(order))
        return sortOrderInfo(order).listKind;
    return style == ViewStyle::SingleLineSorts ? LayoutKind::SingleLine : LayoutKind::Normal;
}

LayoutKind currentLayoutKind(const Catalogue& doc)
{
    return layoutKindOf(doc.currentOrder(), doc.viewStyle());
}

int readNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL << 31);
    return static_cast<int>(negative ? -value : std::min<long long>(value, 0x7FFFFFFF));
}

bool entryIsPlayable(const Catalogue& doc, int position)
{
    if (!showsTrackNumbers(sortOrderInfo(doc.currentOrder()).listKind))
        return true;
    // A group heading has no track, which reads as 0 too.
    return readNumber(songTrack(doc, doc.derivedLists().songs[static_cast<std::size_t>(position)])) != 0;
}

int linesPerRecord(LayoutKind kind, const ViewOptions& options)
{
    switch (layoutKindInfo(kind).block) {
    case BlockShape::Normal: return normalLinesPerRecord(normalSwitches(options));
    case BlockShape::SongDetail: return kSongDetailLines;
    case BlockShape::None: break;
    }
    return 1;
}

ScrollGeometry layoutScrollGeometry(LayoutKind kind, const ViewMetrics& m, int lines, int entries,
                                    int contentWidth)
{
    ScrollGeometry g;
    g.contentWidth = contentWidth;
    g.contentHeight = lines * entries * m.lineHeight;
    g.pageWidth = m.clientWidth;
    g.pageHeight = m.clientHeight;
    if (isColumnList(kind) && m.lineHeight > 0)
        g.pageHeight = std::max(0, (m.clientHeight - m.lineHeight) / m.lineHeight * m.lineHeight);
    return g;
}

PaintRange paintRange(LayoutKind kind, const ViewMetrics& m, int lines, int entries)
{
    PaintRange r;
    if (entries <= 0 || m.lineHeight <= 0)
        return r;
    const int block = lines * m.lineHeight;
    r.first = m.scrollY / block;
    r.offset = m.scrollY % block;
    const int visibleLines = isColumnList(kind)
                                 ? std::max(0, m.clientHeight - m.lineHeight) / m.lineHeight - 1
                                 : m.clientHeight / m.lineHeight / lines + 1;
    r.last = std::min(entries - 1, r.first + visibleLines);
    return r;
}

int hitTest(int y, const ViewMetrics& m, int lines)
{
    const int position = (y + m.scrollY) / m.lineHeight / lines;
    return lines == 1 ? position - 1 : position;
}

int entryTop(int position, const ViewMetrics& m, int lines)
{
    return (lines == 1 ? position + 1 : position) * lines * m.lineHeight - m.scrollY;
}

int scrollToShowEntry(int position, const ViewMetrics& m, int lines, int maxScrollY)
{
    // Column lists keep their heading row in place above the scrolled data area.
    const int areaTop = lines == 1 ? m.lineHeight : 0;
    const int height = lines * m.lineHeight;
    const int top = entryTop(position, m, lines);
    int y = m.scrollY;
    if (top < areaTop || height > m.clientHeight - areaTop) {
        y += top - areaTop;
    } else if (top + height > m.clientHeight) {
        const int past = top + height - m.clientHeight;
        y += (past + m.lineHeight - 1) / m.lineHeight * m.lineHeight;
    }
    return std::clamp(y, 0, std::max(0, maxScrollY));
}

} // namespace discora
