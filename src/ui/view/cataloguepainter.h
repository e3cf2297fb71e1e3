// Draws the current order of the catalogue into any QPainter: the album blocks, the song detail
// blocks and the column lists, from the geometry the core computes. It holds no state of its own,
// so the view, the benchmark and the tests paint exactly the same way.
#pragma once

#include "core/catalogue/displaysettings.h"
#include "core/layout/listlayout.h"
#include "core/layout/normallayout.h"
#include "core/layout/viewlayout.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QLine>

#include <array>
#include <string_view>
#include <vector>

class QPainter;

namespace discora {

class CatalogueDocument;
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
    const CatalogueDocument& doc;
    const ViewSelection& selection;
    ViewMetrics metrics;
    LayoutKind kind = LayoutKind::Normal;
    int linesPerRecord = 1;
    int entries = 0;
    QFont font;
    ViewColors colors;
    ViewOptions options;
};

class CataloguePainter
{
public:
    CataloguePainter(QPainter& painter, const PaintInput& input);

    // Everything the client area shows; the caller has filled it with the background color.
    void paint();

private:
    void paintBlocks(const BlockPlan& plan, bool grid);
    void paintBlock(const BlockPlan& plan, int position, int top, bool grid);
    void paintList(const ListGeometry& g);
    void paintHeadingRow(const ListGeometry& g);
    void paintRow(const ListGeometry& g, int position, int top);
    void paintGroupHeading(const ListGeometry& g, int position, int top, bool selected);
    void paintRowGrid(const ListGeometry& g, int top, bool groupHeading);

    // One line of text clipped to its cell; background behind the text only, when given.
    void drawCell(int left, int top, int right, std::string_view text, const QColor* background);
    void drawWrapped(int left, int top, int right, int lines, std::string_view text,
                     const QColor* background);
    void drawLabel(int x, int top, std::string_view text);
    void drawRaisedButton(int left, int right);
    // Grid lines are gathered and drawn together, over what their lines show.
    void flushGrid();
    std::string_view columnText(const ListColumn& c, int position) const;
    bool gridOn() const;

    QPainter& m_p;
    const PaintInput& m_in;
    const CatalogueDocument& m_doc;
    QFontMetrics m_fm;
    int m_lh;
    int m_ascent;
    int m_visibleLeft;  // content x of the client area's left end
    int m_visibleRight; // and of its right end
    std::vector<QLine> m_grid;
};

} // namespace discora
