#include "ui/support/cataloguepainter.h"

#include "core/layout/covergrid.h"
#include "core/layout/rowmodel.h"
#include "core/layout/viewselection.h"
#include "core/model/headings.h"
#include "core/order/orderentries.h"
#include "core/order/orders.h"
#include "core/view/catalogue.h"
#include "ui/support/colors.h"
#include "ui/support/qttext.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <limits>

namespace discora {

namespace {

bool hasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n\t") != std::string_view::npos;
}

// A one-line cell shows line breaks and tabs as blanks, all on its one line.
QString oneLine(std::string_view text)
{
    QString s = toQt(text);
    if (hasLineBreak(text)) {
        s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        for (QChar& c : s)
            if (c == u'\r' || c == u'\n' || c == u'\t')
                c = u' ';
    }
    return s;
}

int albumAt(const Catalogue& doc, int position)
{
    return static_cast<int>(*albumOfEntry(doc, position));
}

} // namespace

ViewColors toViewColors(const DisplayColors& colors)
{
    const DisplayColors c = drawableColors(colors);
    return {toQColor(c.windowBackground), toQColor(c.dataText),           toQColor(c.headingText),
            toQColor(c.buttonFace),       toQColor(c.buttonShadow),       toQColor(c.menuText),
            toQColor(c.highlightedText),  toQColor(c.highlightBackground)};
}

CataloguePainter::CataloguePainter(QPainter& painter, const PaintInput& input)
    : m_p(painter), m_doc(input.doc), m_screen(&input), m_kind(input.kind), m_options(input.options),
      m_colors(input.colors), m_font(input.font), m_headingFont(input.font), m_fm(input.font),
      m_lh(input.metrics.lineHeight), m_ascent(m_fm.ascent()), m_headingAscent(m_ascent),
      m_textAscent(m_ascent), m_scrollX(input.metrics.scrollX), m_clientHeight(input.metrics.clientHeight),
      m_visibleLeft(input.metrics.scrollX), m_visibleRight(input.metrics.scrollX + input.metrics.clientWidth)
{
    m_valueAdvances.fill(-1);
    m_headingAdvances.fill(-1);
    m_covers = &input.covers;
}

CataloguePainter::CataloguePainter(QPainter& painter, const PageInput& input)
    : m_p(painter), m_doc(input.doc), m_paper(&input), m_kind(input.pagination.kind),
      m_options(input.options), m_colors(input.colors), m_font(input.font), m_headingFont(input.boldFont),
      m_fm(input.font, painter.device()), m_lh(input.pagination.lineHeight), m_ascent(m_fm.ascent()),
      m_headingAscent(QFontMetrics(input.boldFont, painter.device()).ascent()), m_textAscent(m_ascent),
      m_scrollX(0), m_clientHeight(input.pageHeight), m_visibleLeft(0),
      m_visibleRight(std::numeric_limits<int>::max())
{
    m_valueAdvances.fill(-1);
    m_headingAdvances.fill(-1);
    m_covers = &input.covers;
}

bool CataloguePainter::gridOn() const
{
    return m_options.on(layoutKindInfo(m_kind).gridOption);
}

bool CataloguePainter::isSelected(int position) const
{
    // Printed pages show no selection.
    return m_screen && m_screen->selection.isSelected(position);
}

void CataloguePainter::useHeadingFont()
{
    if (!m_paper)
        return;
    m_p.setFont(m_headingFont);
    m_textAscent = m_headingAscent;
    m_headingFontInUse = true;
}

void CataloguePainter::useValueFont()
{
    if (!m_paper)
        return;
    m_p.setFont(m_font);
    m_textAscent = m_ascent;
    m_headingFontInUse = false;
}

void CataloguePainter::paint()
{
    if (m_lh <= 0 || !m_screen)
        return;
    m_p.save();
    m_p.setFont(m_font);
    const ViewMetrics& m = m_screen->metrics;
    switch (layoutKindInfo(m_kind).block) {
    case BlockShape::Normal: {
        NormalPositions positions = normalPositions(m.dpi, m.maxCharWidth);
        useCoverColumn(positions, false);
        const BlockPlan plan =
            normalBlock(normalSwitches(m_options), positions, headingOrDefault(m_doc.heading(0), 0),
                        headingOrDefault(m_doc.heading(1), 1));
        paintBlocks(plan, gridOn());
        break;
    }
    case BlockShape::SongDetail: paintBlocks(songDetailBlock(m.dpi, m.maxCharWidth), gridOn()); break;
    case BlockShape::None: paintList(listGeometry(m_kind, shownColumnLayout(m_doc), m)); break;
    }
    m_p.restore();
}

void CataloguePainter::paintPage(int page)
{
    if (m_lh <= 0 || !m_paper)
        return;
    const PageInput& in = *m_paper;
    const Pagination& pages = in.pagination;
    const EntryRange entries = pages.entriesOn(page);
    m_p.save();
    m_p.setFont(m_font);
    if (isColumnList(m_kind)) {
        const ListGeometry g =
            printedListGeometry(m_kind, shownColumnLayout(m_doc), in.screenDpi, in.printDpi, in.printWidth);
        const RowModel rows(m_doc, g.columns);
        paintPrintedHeadingRow(g);
        for (int n = entries.first; n <= entries.last; ++n)
            paintRow(g, rows, pages.positionOf(n), (pages.firstEntryLine() + n - entries.first) * m_lh);
        m_p.setClipping(false);
        flushGrid();
    } else {
        BlockPlan plan;
        if (layoutKindInfo(m_kind).block == BlockShape::Normal) {
            NormalPositions positions = printedNormalPositions(in.printDpi, in.printWidth, in.timeWidth);
            useCoverColumn(positions, true);
            plan = normalBlock(normalSwitches(m_options), positions, headingOrDefault(m_doc.heading(0), 0),
                               headingOrDefault(m_doc.heading(1), 1), BlockMedium::Paper);
        } else {
            plan = printedSongDetailBlock(in.printDpi, in.printWidth);
        }
        const int blockHeight = plan.linesPerRecord * m_lh;
        // An album taller than the page is cut at the last whole line above the footer.
        m_linesBottom = (pages.firstEntryLine() + pages.linesPerPage) * m_lh;
        for (int n = entries.first; n <= entries.last; ++n)
            paintBlock(plan, pages.positionOf(n),
                       pages.firstEntryLine() * m_lh + (n - entries.first) * blockHeight, gridOn());
    }
    if (pages.pageNumbers)
        paintFooter(page);
    m_p.restore();
}

void CataloguePainter::paintFooter(int page)
{
    const int x = m_paper->printDpi * 31 / 10;
    const int top = m_paper->pagination.footerLine() * m_lh;
    m_p.setFont(m_font);
    m_p.setPen(m_colors.data);
    m_p.drawText(x, top + m_ascent, toQt(pageFooter(page, m_paper->pagination.pageCount)));
}

// ---- Block layouts -------------------------------------------------------------------------

void CataloguePainter::useCoverColumn(NormalPositions& positions, bool paper)
{
    if (!m_options.on(ViewOption::ShowCover))
        return;
    m_coverSide = normalCoverSide(m_lh);
    m_blockLeft = m_coverSide + std::max(4, m_lh / 2);
    if (paper) {
        // The block keeps to the page: it is laid out for the width the cover leaves.
        positions = withCoverColumn(
            printedNormalPositions(m_paper->printDpi, m_paper->printWidth - m_blockLeft, m_paper->timeWidth),
            m_blockLeft);
    } else {
        positions = withCoverColumn(positions, m_blockLeft);
    }
}

void CataloguePainter::paintBlockCover(int album, int top)
{
    const QRect box(m_lh / 4 - m_scrollX, top + m_lh / 4, m_coverSide, m_coverSide);
    if (box.bottom() < 0 || box.top() >= m_clientHeight || box.bottom() > m_linesBottom)
        return;
    const std::string_view name = m_doc.text(Field::Cover, album);
    CoverLook look;
    if (!name.empty() && m_covers && *m_covers)
        look = (*m_covers)(name, m_coverSide);
    const QString initials =
        toQt(coverInitials(m_doc.text(Field::Artist, album), m_doc.text(Field::AlbumName, album)));
    paintCoverPicture(m_p, {box, look, toQt(m_doc.text(Field::Artist, album)), initials}, m_font,
                      m_colors.background, m_colors.data);
}

void CataloguePainter::paintBlocks(const BlockPlan& plan, bool grid)
{
    const PaintRange range = paintRange(m_kind, m_screen->metrics, plan.linesPerRecord, m_screen->entries);
    const int blockHeight = plan.linesPerRecord * m_lh;
    for (int position = range.first; position <= range.last; ++position)
        paintBlock(plan, position, (position - range.first) * blockHeight - range.offset, grid);
}

void CataloguePainter::paintBlock(const BlockPlan& plan, int position, int top, bool grid)
{
    const int album = albumAt(m_doc, position);
    const bool selected = isSelected(position);
    const ViewColors& c = m_colors;
    const QColor* background = selected ? &c.selectedBackground : nullptr;
    // With a cover column the bands and boxes start right of the cover.
    const int dx = -m_scrollX + m_blockLeft;
    const int end = plan.contentWidth - m_blockLeft;
    if (m_coverSide > 0)
        paintBlockCover(album, top);

    for (const BlockLine& line : plan.lines) {
        const int y = top + line.top * m_lh;
        const int height = line.lines * m_lh;
        if (y >= m_clientHeight || y + height + 2 < 0 || y + height > m_linesBottom)
            continue;
        if (line.kind == BlockLineKind::Heading) {
            m_p.fillRect(QRect(dx, y, end, m_lh), c.band);
            m_p.setPen(c.heading);
            useHeadingFont();
            for (const BlockLabel& label : line.labels)
                drawLabel(label.x, y, label.text);
            useValueFont();
        } else if (line.kind == BlockLineKind::Values) {
            m_p.setPen(selected ? c.selectedText : c.data);
            for (const BlockCell& cell : line.cells) {
                const std::string_view text = cell.source == CellSource::SongTitle
                                                  ? songTitle(m_doc, static_cast<std::size_t>(position))
                                                  : m_doc.text(cell.field, album);
                if (line.lines > 1)
                    drawWrapped(cell.left, y, cell.right, line.lines, text, background);
                else
                    drawCell(cell.left, y, cell.right, text, background);
            }
            m_p.setClipping(false);
        }
        if (!grid)
            continue;
        if (line.boxed) {
            m_grid.emplace_back(dx, y, dx + end, y);
            m_grid.emplace_back(dx, y, dx, y + height - 1);
            m_grid.emplace_back(dx + end, y, dx + end, y + height - 1);
        }
        for (int x : line.separators)
            m_grid.emplace_back(x - m_scrollX, y, x - m_scrollX, y + m_lh - 1);
        if (line.rule == BlockRule::Thick)
            m_p.fillRect(QRect(dx, y - 2, end + 1, 4), Qt::black); // a 4-pixel rule centred on the line
        else if (line.rule == BlockRule::Thin)
            m_grid.emplace_back(dx, y, dx + end, y);
    }
    flushGrid();
}

namespace {

// Joins lines that continue one another: the boxes of printed rows share their edges, and a
// column's separators run down the page. Fewer, longer lines make a smaller, faster page.
void joinLines(std::vector<QLine>& lines)
{
    std::vector<QLine> horizontal;
    std::vector<QLine> vertical;
    std::vector<QLine> other;
    for (const QLine& l : lines) {
        if (l.y1() == l.y2())
            horizontal.emplace_back(std::min(l.x1(), l.x2()), l.y1(), std::max(l.x1(), l.x2()), l.y1());
        else if (l.x1() == l.x2())
            vertical.emplace_back(l.x1(), std::min(l.y1(), l.y2()), l.x1(), std::max(l.y1(), l.y2()));
        else
            other.push_back(l);
    }
    const auto join = [](std::vector<QLine>& runs, auto along, auto from, auto to, auto make) {
        std::sort(runs.begin(), runs.end(), [&](const QLine& a, const QLine& b) {
            return std::pair(along(a), from(a)) < std::pair(along(b), from(b));
        });
        std::vector<QLine> joined;
        for (const QLine& l : runs) {
            if (!joined.empty() && along(joined.back()) == along(l) && from(l) <= to(joined.back()) + 1) {
                joined.back() = make(along(l), from(joined.back()), std::max(to(joined.back()), to(l)));
                continue;
            }
            joined.push_back(l);
        }
        runs = std::move(joined);
    };
    join(
        horizontal, [](const QLine& l) { return l.y1(); }, [](const QLine& l) { return l.x1(); },
        [](const QLine& l) { return l.x2(); }, [](int y, int x1, int x2) { return QLine(x1, y, x2, y); });
    join(
        vertical, [](const QLine& l) { return l.x1(); }, [](const QLine& l) { return l.y1(); },
        [](const QLine& l) { return l.y2(); }, [](int x, int y1, int y2) { return QLine(x, y1, x, y2); });
    lines = std::move(horizontal);
    lines.insert(lines.end(), vertical.begin(), vertical.end());
    lines.insert(lines.end(), other.begin(), other.end());
}

} // namespace

void CataloguePainter::flushGrid()
{
    if (m_grid.empty())
        return;
    if (m_paper) {
        m_p.setClipping(false);
        joinLines(m_grid);
    }
    m_p.setPen(QPen(Qt::black, 0));
    m_p.drawLines(m_grid.data(), static_cast<int>(m_grid.size()));
    m_grid.clear();
}

// ---- Column lists --------------------------------------------------------------------------

void CataloguePainter::paintList(const ListGeometry& g)
{
    const PaintRange range = paintRange(m_kind, m_screen->metrics, 1, m_screen->entries);
    const RowModel rows(m_doc, g.columns);
    for (int position = range.first; position <= range.last; ++position)
        paintRow(g, rows, position, m_lh + (position - range.first) * m_lh - range.offset);
    m_p.setClipping(false);
    flushGrid();
    paintHeadingRow(g);
}

void CataloguePainter::paintHeadingRow(const ListGeometry& g)
{
    const ViewColors& c = m_colors;
    const std::string_view h1 = m_doc.heading(0);
    const std::string_view h2 = m_doc.heading(1);
    m_p.fillRect(QRect(-m_scrollX, 0, g.paintWidth, m_lh), c.band);
    // Frames first: the line height leaves no blank rows above and below the glyphs, so frames
    // drawn over the headings would cut off their tops and baselines.
    for (const ListColumn& column : g.columns)
        drawRaisedButton(column.buttonLeft, column.buttonRight);
    m_p.setPen(c.columnHeading);
    for (const ListColumn& column : g.columns)
        drawCell(column.left, 0, column.cellRight, columnHeading(column, m_kind, h1, h2), nullptr);
    m_p.setClipping(false);
}

// On paper the heading row is a plain band with the column names in the bold print font.
void CataloguePainter::paintPrintedHeadingRow(const ListGeometry& g)
{
    const ViewColors& c = m_colors;
    const std::string_view h1 = m_doc.heading(0);
    const std::string_view h2 = m_doc.heading(1);
    m_p.fillRect(QRect(g.bandLeft, 0, g.paintWidth - g.bandLeft, m_lh), c.band);
    m_p.setPen(c.columnHeading);
    useHeadingFont();
    for (const ListColumn& column : g.columns)
        drawCell(column.left, 0, column.cellRight, columnHeading(column, m_kind, h1, h2), nullptr);
    m_p.setClipping(false);
    useValueFont();
    if (gridOn())
        paintRowGrid(g, 0, false);
}

void CataloguePainter::paintRow(const ListGeometry& g, const RowModel& rows, int position, int top)
{
    const bool selected = isSelected(position);
    const RowEntry entry = rows.entry(static_cast<std::size_t>(position));
    if (entry.heading) {
        rows.forEachText(entry, [&](std::string_view text) { paintGroupHeading(g, text, top, selected); });
    } else {
        const ViewColors& c = m_colors;
        m_p.setPen(selected ? c.selectedText : c.data);
        const QColor* background = selected ? &c.selectedBackground : nullptr;
        auto column = g.columns.begin();
        rows.forEachText(entry, [&](std::string_view text) {
            drawCell(column->left, top, column->cellRight, text, background);
            ++column;
        });
        m_p.setClipping(false);
    }
    if (gridOn())
        paintRowGrid(g, top, entry.heading);
}

void CataloguePainter::paintGroupHeading(const ListGeometry& g, std::string_view text, int top, bool selected)
{
    const ViewColors& c = m_colors;
    m_p.fillRect(QRect(g.bandLeft - m_scrollX, top, g.paintWidth - g.bandLeft, m_lh),
                 selected ? c.selectedBackground : c.band);
    m_p.setPen(selected ? c.selectedText : c.heading);
    if (g.columns.empty())
        return;
    const ListColumn& first = g.columns.front();
    if (layoutKindInfo(m_kind).headings == GroupHeadings::ArtistOfSongs) {
        drawCell(first.left, top, first.cellRight, text, nullptr);
    } else {
        const auto fifth = std::find_if(g.columns.begin(), g.columns.end(),
                                        [](const ListColumn& col) { return col.number == 5; });
        const int right = fifth != g.columns.end() ? fifth->left - 4 : g.contentWidth;
        drawCell(first.left, top, right, text, nullptr);
    }
    m_p.setClipping(false);
}

void CataloguePainter::paintRowGrid(const ListGeometry& g, int top, bool groupHeading)
{
    const int dx = -m_scrollX;
    const int bottom = top + m_lh - 1;
    if (!groupHeading)
        for (const ListColumn& column : g.columns)
            if (column.number >= 2)
                m_grid.emplace_back(dx + column.left - g.separatorGap, top, dx + column.left - g.separatorGap,
                                    bottom);
    if (m_paper) {
        // A box around every printed row, from the band's left end to the usable width.
        const int left = g.bandLeft;
        const int right = g.paintWidth;
        m_grid.emplace_back(left, top, right, top);
        m_grid.emplace_back(left, top + m_lh, right, top + m_lh);
        m_grid.emplace_back(left, top, left, top + m_lh);
        m_grid.emplace_back(right, top, right, top + m_lh);
        return;
    }
    m_grid.emplace_back(dx, top, dx + g.paintWidth, top);
    if (layoutKindInfo(m_kind).gridLeftLine)
        m_grid.emplace_back(dx, top, dx, bottom);
    if (layoutKindInfo(m_kind).gridRightLine)
        m_grid.emplace_back(dx + g.paintWidth - 1, top, dx + g.paintWidth - 1, bottom);
}

void CataloguePainter::drawRaisedButton(int left, int right)
{
    const int x = left - m_scrollX;
    const int w = right - left;
    const int h = m_lh;
    if (w < 2 || h < 2)
        return;
    const ViewColors& c = m_colors;
    // Outer frame: face top-left, black bottom-right; inner: white top-left, shadow bottom-right.
    m_p.fillRect(QRect(x, 0, w - 1, 1), c.band);
    m_p.fillRect(QRect(x, 0, 1, h - 1), c.band);
    m_p.fillRect(QRect(x + w - 1, 0, 1, h), Qt::black);
    m_p.fillRect(QRect(x, h - 1, w, 1), Qt::black);
    m_p.fillRect(QRect(x + 1, 1, w - 3, 1), Qt::white);
    m_p.fillRect(QRect(x + 1, 1, 1, h - 3), Qt::white);
    m_p.fillRect(QRect(x + w - 2, 1, 1, h - 2), c.buttonShadow);
    m_p.fillRect(QRect(x + 1, h - 2, w - 2, 1), c.buttonShadow);
}

// ---- Text ----------------------------------------------------------------------------------

void CataloguePainter::drawLabel(int x, int top, std::string_view text)
{
    if (x >= m_visibleRight)
        return;
    m_p.drawText(x - m_scrollX, top + m_headingAscent, toQt(text));
}

void CataloguePainter::drawCell(int left, int top, int right, std::string_view text, const QColor* background)
{
    if (text.empty() || right <= left || right <= m_visibleLeft || left >= m_visibleRight)
        return;
    QString s = oneLine(text);
    const QRect cell(left - m_scrollX, top, right - left, m_lh);
    // Clipping costs a PDF or a printer much more than a screen, and every glyph drawn costs as
    // much clipped as not: on paper a text that surely fits goes without a clip, and a longer one
    // loses the characters that surely lie beyond the cell.
    const qsizetype fitting = m_paper ? fittingLength(s, cell.width()) : -1;
    if (fitting == s.size()) {
        if (m_p.hasClipping())
            m_p.setClipping(false);
    } else {
        m_p.setClipRect(cell);
        // Two more than fit by the advances: kerning may draw them closer than their advances.
        if (fitting >= 0)
            s.truncate(fitting + 2);
    }
    if (background) {
        const int width = std::min(m_fm.horizontalAdvance(s), cell.width());
        m_p.fillRect(QRect(cell.left(), top, width, m_lh), *background);
    }
    if (fitting >= 0 && drawLatin1(QPointF(cell.left(), top + m_textAscent), s))
        return;
    m_p.drawText(cell.left(), top + m_textAscent, s);
}

bool CataloguePainter::drawLatin1(const QPointF& at, const QString& text)
{
    Glyphs& g = m_headingFontInUse ? m_headingGlyphs : m_valueGlyphs;
    if (!g.raw.isValid())
        g.raw = QRawFont::fromFont(m_headingFontInUse ? m_headingFont : m_font);
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(text.size());
    positions.reserve(text.size());
    qreal x = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (g.index[u] == 0) {
            int count = 1;
            quint32 index = 0;
            if (!g.raw.glyphIndexesForChars(&c, 1, &index, &count) || index == 0)
                return false;
            g.index[u] = index;
            g.advance[u] = g.raw.advancesForGlyphIndexes(QList<quint32>{index}).value(0).x();
        }
        indexes.push_back(g.index[u]);
        positions.emplace_back(x, 0);
        x += g.advance[u];
    }
    QGlyphRun run;
    run.setRawFont(g.raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    m_p.drawGlyphRun(at, run);
    return true;
}

qsizetype CataloguePainter::fittingLength(const QString& text, int width)
{
    std::array<int, 256>& advances = m_headingFontInUse ? m_headingAdvances : m_valueAdvances;
    // Room for a glyph that reaches past its advance.
    int sum = m_lh / 4;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u >= advances.size())
            return -1;
        int& advance = advances[u];
        if (advance < 0)
            advance = QFontMetrics(m_headingFontInUse ? m_headingFont : m_font, m_p.device())
                          .horizontalAdvance(QChar(u));
        sum += advance;
        if (sum > width)
            return i;
    }
    return text.size();
}

void CataloguePainter::drawWrapped(int left, int top, int right, int lines, std::string_view text,
                                   const QColor* background)
{
    if (text.empty() || right <= left || right <= m_visibleLeft || left >= m_visibleRight)
        return;
    QString s = toQt(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(u'\r', u'\n');
    const QRect cell(left - m_scrollX, top, right - left, lines * m_lh);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    m_p.setClipRect(cell);
    if (background)
        m_p.fillRect(m_p.boundingRect(cell, flags, s) & cell, *background);
    m_p.drawText(cell, flags, s);
}

} // namespace discora
