// The painter on its own, drawing into an image as a renderer is tested: no window and no view,
// only a document, the geometry the core computes and pixels read back where that geometry says
// the labels, values, grid lines and footer go.
#include "core/document/cataloguedocument.h"
#include "core/layout/listlayout.h"
#include "core/layout/normallayout.h"
#include "core/layout/pagination.h"
#include "core/layout/viewselection.h"
#include "support/documentfixture.h"
#include "ui/support/cataloguepainter.h"
#include "ui/support/fonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

#include <gtest/gtest.h>

namespace discora {
namespace {

// Colors no antialiased edge produces, so a pixel of one of them was drawn on purpose.
ViewColors testColors()
{
    ViewColors c;
    c.background = QColor(255, 255, 255);
    c.data = QColor(0, 0, 255);
    c.heading = QColor(255, 0, 0);
    c.band = QColor(0, 255, 0);
    c.buttonShadow = QColor(128, 128, 0);
    c.columnHeading = QColor(255, 0, 255);
    c.selectedText = QColor(255, 255, 0);
    c.selectedBackground = QColor(0, 128, 128);
    return c;
}

ViewOptions displaySwitchesOff()
{
    ViewOptions o;
    for (int i = 0; i < kViewOptionCount; ++i)
        o.setAt(i, 0);
    return o;
}

// How many pixels of rect have exactly this color.
int countColor(const QImage& image, const QRect& rect, const QColor& color)
{
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixelColor(x, y) == color;
    return n;
}

// Pixels that are not the background: text in any color, lines, bands.
int countInk(const QImage& image, const QRect& rect)
{
    return rect.intersected(image.rect()).width() * rect.intersected(image.rect()).height() -
           countColor(image, rect, QColor(255, 255, 255));
}

class CataloguePainterTest : public ::testing::Test
{
protected:
    CataloguePainterTest()
    {
        fixture::loadAlbums(m_doc, {fixture::albumOf("Quartet Number One", "Suite In Blue"),
                                    fixture::albumOf("Quintet", "Second Thoughts")});
        m_font = QFont(QStringLiteral("DejaVu Sans"));
        m_font.setPixelSize(14);
        m_font.setStyleStrategy(QFont::NoAntialias);
        const QFontMetrics fm(m_font);
        m_metrics.dpi = 96;
        m_metrics.lineHeight = lineHeight(fm);
        m_metrics.charWidth = fm.averageCharWidth();
        m_metrics.maxCharWidth = fm.maxWidth();
        m_metrics.clientWidth = 900;
        m_metrics.clientHeight = 400;
        m_selection.clear(m_doc.displayedCount());
    }

    QImage paint(LayoutKind kind, const ViewOptions& options, CoverLookup covers = {})
    {
        QImage image(m_metrics.clientWidth, m_metrics.clientHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const PaintInput input{
            m_doc,        m_selection, m_metrics,        kind, m_doc.displayedCount(), m_font,
            testColors(), options,     std::move(covers)};
        CataloguePainter(painter, input).paint();
        return image;
    }

    int lh() const { return m_metrics.lineHeight; }

    CatalogueDocument m_doc;
    ViewSelection m_selection;
    ViewMetrics m_metrics;
    QFont m_font;
};

TEST_F(CataloguePainterTest, NormalBlockDrawsHeadingsOverValuesAndMarksTheSelection)
{
    const ViewOptions options = displaySwitchesOff();
    const NormalPositions positions = normalPositions(m_metrics.dpi, m_metrics.maxCharWidth);
    const BlockPlan plan = normalBlock(normalSwitches(options), positions, "Custom 1", "Custom 2");
    const auto firstOf = [&](BlockLineKind kind) {
        return std::find_if(plan.lines.begin(), plan.lines.end(),
                            [kind](const BlockLine& l) { return l.kind == kind; });
    };
    const auto heading = firstOf(BlockLineKind::Heading);
    const auto values = firstOf(BlockLineKind::Values);
    ASSERT_NE(heading, plan.lines.end());
    ASSERT_NE(values, plan.lines.end());
    ASSERT_FALSE(values->cells.empty());
    const QRect headingLine(0, heading->top * lh(), m_metrics.clientWidth, lh());
    const QRect valueLine(0, values->top * lh(), m_metrics.clientWidth, values->lines * lh());
    const BlockCell& firstCell = values->cells.front();
    const QRect firstCellRect(firstCell.left, valueLine.top(), firstCell.right - firstCell.left, lh());

    const QImage plain = paint(LayoutKind::Normal, options);
    const ViewColors c = testColors();
    // Labels in the heading color on their line; the album's texts in the data color in their cells.
    EXPECT_GT(countColor(plain, headingLine, c.heading), 0);
    EXPECT_EQ(countColor(plain, headingLine, c.data), 0);
    EXPECT_GT(countColor(plain, firstCellRect, c.data), 0);
    EXPECT_EQ(countColor(plain, valueLine, c.heading), 0);
    EXPECT_EQ(countColor(plain, valueLine, c.selectedBackground), 0);
    // The second album's block starts linesPerRecord lines down and is drawn too.
    const QRect secondValues = valueLine.translated(0, plan.linesPerRecord * lh());
    EXPECT_GT(countColor(plain, secondValues, c.data), 0);

    m_selection.selectOnly(0);
    const QImage selected = paint(LayoutKind::Normal, options);
    EXPECT_GT(countColor(selected, firstCellRect, c.selectedBackground), 0);
    EXPECT_GT(countColor(selected, firstCellRect, c.selectedText), 0);
    EXPECT_EQ(countColor(selected, secondValues, c.selectedBackground), 0);
}

TEST_F(CataloguePainterTest, TheCoverOptionPutsEachAlbumsCoverLeftOfItsBlock)
{
    ViewOptions options = displaySwitchesOff();
    const QImage without = paint(LayoutKind::Normal, options);
    options.set(ViewOption::ShowCover, 1);
    // The first album has a cover (all orange); the second has none and shows its initials.
    AlbumRecord first = m_doc.album(0);
    first.text(Field::Cover) = "00000000000000000000000000000000.png";
    fixture::loadAlbums(m_doc, {first, m_doc.album(1)});
    std::vector<int> sides;
    const QImage with = paint(LayoutKind::Normal, options, [&](std::string_view name, int side) {
        EXPECT_EQ(name, "00000000000000000000000000000000.png");
        sides.push_back(side);
        QImage orange(side * 2, side, QImage::Format_RGB32); // wider than high: centred, kept in shape
        orange.fill(QColor(255, 128, 0));
        return CoverLook{orange, false};
    });
    const int side = normalCoverSide(lh());
    EXPECT_EQ(sides, std::vector<int>{side});
    const int indent = side + std::max(4, lh() / 2);
    const QRect coverBox(lh() / 4, lh() / 4, side, side);
    EXPECT_GT(countColor(with, coverBox, QColor(255, 128, 0)), side * side / 3);
    EXPECT_EQ(countColor(with, coverBox, QColor(255, 128, 0)),
              countColor(with, with.rect(), QColor(255, 128, 0)));
    // The second album's placeholder is drawn, in no colour of the text.
    const int blockHeight = 5 * lh();
    EXPECT_GT(countInk(with, coverBox.translated(0, blockHeight)), side * side / 2);
    // The heading band moved right of the cover: nothing of the band under the cover's column.
    const ViewColors c = testColors();
    EXPECT_GT(countColor(without, QRect(0, 0, indent, lh()), c.band), 0);
    EXPECT_EQ(countColor(with, QRect(0, 0, indent - 1, 5 * lh()), c.band), 0);
    EXPECT_GT(countColor(with, QRect(indent, 0, 40, lh()), c.band), 0);

    // With the grid on, the separators stand where the moved columns are, not moved twice.
    options.set(ViewOption::NlViewGrid, 1);
    const QImage grid = paint(LayoutKind::Normal, options, [](std::string_view, int) { return CoverLook{}; });
    const BlockPlan plan =
        normalBlock(normalSwitches(options),
                    withCoverColumn(normalPositions(m_metrics.dpi, m_metrics.maxCharWidth), indent),
                    "Custom 1", "Custom 2");
    const auto emptyValues = std::find_if(plan.lines.begin(), plan.lines.end(), [](const BlockLine& l) {
        return l.kind == BlockLineKind::Values && l.separators.size() == 2; // music, media type, number
    });
    ASSERT_NE(emptyValues, plan.lines.end());
    const int x = emptyValues->separators.back();
    const QRect line(0, emptyValues->top * lh() + 2, m_metrics.clientWidth, lh() - 4);
    EXPECT_GT(countInk(grid, QRect(x, line.top(), 1, line.height())), 0);
    EXPECT_EQ(countInk(grid, QRect(x + indent, line.top(), 1, line.height())), 0);
}

TEST_F(CataloguePainterTest, SingleLineGridStandsAtTheColumnEdgesOnlyWhenSwitchedOn)
{
    ViewOptions options = displaySwitchesOff();
    m_doc.setViewStyle(ViewStyle::SingleLineSorts);
    const ListGeometry g = listGeometry(LayoutKind::SingleLine, shownColumnLayout(m_doc), m_metrics);
    ASSERT_GE(g.columns.size(), 2u);
    const QRect rows(0, lh(), m_metrics.clientWidth, 2 * lh());

    const auto separatorInk = [&](const QImage& image) {
        int lines = 0;
        for (const ListColumn& column : g.columns) {
            if (column.number < 2)
                continue;
            const int x = column.left - g.separatorGap;
            lines +=
                countColor(image, QRect(x, rows.top(), 1, rows.height()), Qt::black) >= rows.height() - 2;
        }
        return lines;
    };

    const QImage plain = paint(LayoutKind::SingleLine, options);
    const ViewColors c = testColors();
    // The heading row: raised buttons in the band color with the column names on them.
    EXPECT_GT(countColor(plain, QRect(0, 0, 900, lh()), c.band), 0);
    EXPECT_GT(countColor(plain, QRect(0, 0, 900, lh()), c.columnHeading), 0);
    EXPECT_GT(countColor(plain, rows, c.data), 0);
    EXPECT_EQ(separatorInk(plain), 0);

    options.set(ViewOption::GroupViewGrid, 1);
    const QImage grid = paint(LayoutKind::SingleLine, options);
    EXPECT_EQ(separatorInk(grid), static_cast<int>(g.columns.size()) - 1);
    // Each row is ruled along its top, across the whole width painted.
    EXPECT_GE(countColor(grid, QRect(0, lh(), g.paintWidth, 1), Qt::black), g.paintWidth - 2);
}

TEST_F(CataloguePainterTest, PrintedPageFooterSitsOnItsLineAndOnlyWithPageNumbers)
{
    constexpr int kDpi = 100;
    QImage page(8 * kDpi, 11 * kDpi, QImage::Format_RGB32);
    page.setDotsPerMeterX(kDpi * 10000 / 254);
    page.setDotsPerMeterY(kDpi * 10000 / 254);

    const auto print = [&](bool pageNumbers, int* footerTop) {
        ViewOptions options = displaySwitchesOff();
        options.set(ViewOption::ShowPageNum, pageNumbers ? 1 : 0);
        m_doc.setViewOptions(options);
        page.fill(Qt::white);
        QPainter painter(&page);
        const int printLine = lineHeight(QFontMetrics(m_font, &page));
        const Pagination pages = paginate(m_doc, PageMetrics{page.height(), printLine}, std::nullopt);
        QFont bold = m_font;
        bold.setBold(true);
        const PageInput input{m_doc, pages,  kDpi, page.width() - 5, page.height(),
                              96,    m_font, bold, testColors(),     options};
        CataloguePainter(painter, input).paintPage(1);
        *footerTop = pages.footerLine() * pages.lineHeight;
        return pages.lineHeight;
    };

    int footerTop = 0;
    const int line = print(true, &footerTop);
    const QRect footer(0, footerTop, page.width(), line);
    ASSERT_LT(footer.bottom(), page.height());
    // "Page Number 1 of 1" starts 3.1 inches in, in the data color.
    EXPECT_GT(countColor(page, footer, testColors().data), 0);
    EXPECT_EQ(countInk(page, QRect(0, footerTop, kDpi * 31 / 10 - 1, line)), 0);
    // Nothing between the last album and the footer line.
    EXPECT_EQ(countInk(page, QRect(0, footerTop - 3 * line, page.width(), 2 * line)), 0);

    print(false, &footerTop);
    EXPECT_EQ(countInk(page, QRect(0, footerTop, page.width(), line)), 0);
}

} // namespace
} // namespace discora
