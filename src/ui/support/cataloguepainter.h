// Draws the current order of the catalogue into any QPainter: the album blocks, the song detail
// blocks and the column lists, from the geometry the core computes. On screen it draws what the
// client area shows; on paper one page of a print job. It holds no state of its own, so the view,
// printing, the benchmarks and the tests all draw exactly the same way.
#pragma once

#include "core/layout/listlayout.h"
#include "core/layout/normallayout.h"
#include "core/layout/pagination.h"
#include "core/layout/viewlayout.h"
#include "core/view/displaysettings.h"
#include "ui/support/coverpicture.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QLine>
#include <QRawFont>

#include <array>
#include <limits>
#include <string_view>
#include <vector>

class QPainter;

namespace discora {

class Catalogue;
class RowModel;
class ViewSelection;

// The eight display colors, in the order the settings hand them over.
struct ViewColors
{
    QColor background;
    QColor data;
    QColor heading;
    QColor band; // heading band and button face
    QColor buttonShadow;
    QColor columnHeading;
    QColor selectedText;
    QColor selectedBackground;
};

ViewColors toViewColors(const DisplayColors& colors);

struct PaintInput
{
    const Catalogue& doc;
    const ViewSelection& selection;
    ViewMetrics metrics;
    LayoutKind kind = LayoutKind::Normal;
    int entries = 0;
    QFont font;
    ViewColors colors;
    ViewOptions options;
    CoverLookup covers = {}; // the pictures of the normal layout's covers, when the option shows them
};

// What a printed page is drawn from: the job's pages, the printer's measures in device pixels and
// the two print fonts (headings in the bold one).
struct PageInput
{
    const Catalogue& doc;
    const Pagination& pagination;
    int printDpi = 600;
    int printWidth = 0; // the printer's horizontal resolution less 5 pixels
    int pageHeight = 0;
    int screenDpi = 96; // the resolution the column edges are stored at
    QFont font;
    QFont boldFont;
    ViewColors colors;
    ViewOptions options;
    int timeWidth = 0; // a time or the "Time" heading in the print fonts, whichever is wider
    CoverLookup covers = {};
};

class CataloguePainter
{
public:
    CataloguePainter(QPainter& painter, const PaintInput& input);
    CataloguePainter(QPainter& painter, const PageInput& input);

    // Everything the client area shows; the caller has filled it with the background color.
    void paint();
    // Page page (from 1) of the print job, with its footer.
    void paintPage(int page);

private:
    void paintBlocks(const BlockPlan& plan, bool grid);
    void paintBlock(const BlockPlan& plan, int position, int top, bool grid);
    void paintList(const ListGeometry& g);
    void paintHeadingRow(const ListGeometry& g);
    void paintPrintedHeadingRow(const ListGeometry& g);
    void paintRow(const ListGeometry& g, const RowModel& rows, int position, int top);
    void paintGroupHeading(const ListGeometry& g, std::string_view text, int top, bool selected);
    void paintRowGrid(const ListGeometry& g, int top, bool groupHeading);
    void paintFooter(int page);
    // The normal layout's cover column: the side of its pictures and where the block starts after it.
    void useCoverColumn(NormalPositions& positions, bool paper);
    void paintBlockCover(int album, int top);

    // One line of text clipped to its cell; background behind the text only, when given.
    void drawCell(int left, int top, int right, std::string_view text, const QColor* background);
    void drawWrapped(int left, int top, int right, int lines, std::string_view text,
                     const QColor* background);
    void drawLabel(int x, int top, std::string_view text);
    // How many characters of text, in the font in use, surely fit in width by their advances:
    // all of them, or the index of the first that may not; -1 when the text is not all Latin-1.
    qsizetype fittingLength(const QString& text, int width);
    bool drawLatin1(const QPointF& at, const QString& text);
    void drawRaisedButton(int left, int right);
    // Grid lines are gathered and drawn together, over what their lines show.
    void flushGrid();
    bool gridOn() const;
    bool isSelected(int position) const;
    // The font of heading labels: the bold print font on paper, the screen font on screen.
    void useHeadingFont();
    void useValueFont();

    QPainter& m_p;
    const Catalogue& m_doc;
    const PaintInput* m_screen = nullptr; // one of the two is set
    const PageInput* m_paper = nullptr;
    LayoutKind m_kind;
    const ViewOptions& m_options;
    const ViewColors& m_colors;
    QFont m_font;
    QFont m_headingFont;
    QFontMetrics m_fm;
    int m_lh;
    int m_ascent;        // of the value font
    int m_headingAscent; // of the heading font
    int m_textAscent;    // of the font in use
    bool m_headingFontInUse = false;
    int m_scrollX;
    int m_clientHeight;
    const CoverLookup* m_covers = nullptr;
    int m_coverSide = 0;                                 // 0: no cover column
    int m_blockLeft = 0;                                 // where a block's bands and boxes start
    int m_linesBottom = std::numeric_limits<int>::max(); // no line of a block reaches below this
    int m_visibleLeft;                                   // content x of the drawing area's left end
    int m_visibleRight;                                  // and of its right end
    std::vector<QLine> m_grid;
    // Advances of the Latin-1 characters in the value and heading fonts, measured when first met.
    std::array<int, 256> m_valueAdvances;
    std::array<int, 256> m_headingAdvances;
    struct Glyphs
    {
        QRawFont raw;
        std::array<quint32, 256> index{};
        std::array<qreal, 256> advance{};
    };
    Glyphs m_valueGlyphs;
    Glyphs m_headingGlyphs;
};

} // namespace discora
