// The catalogue on screen: paints the current order in its layout, keeps the scroll position and
// the selection, and turns mouse and keys into scrolling and selection. It reads the document and
// never changes it: a double click, a menu request and a dragged column edge are reported as
// signals, and the window's commands act on them.
#pragma once

#include "core/commands/commands.h"
#include "core/document/cataloguedocument.h"
#include "core/layout/covergrid.h"
#include "core/layout/viewlayout.h"
#include "core/layout/viewscroll.h"
#include "core/layout/viewselection.h"
#include "ui/support/cataloguepainter.h"
#include "ui/view/coverthumbnails.h"

#include <QAbstractScrollArea>

#include <optional>

namespace discora {

// The two menus the view asks the window for: the heading row's Fields menu and the context menu.
enum class ViewMenu
{
    Context,
    Fields
};

class CatalogueView : public QAbstractScrollArea, public DocumentObserver
{
    Q_OBJECT
public:
    explicit CatalogueView(CatalogueDocument& doc, QWidget* parent = nullptr);
    ~CatalogueView() override;

    // The parts of the commands' state that the view holds.
    void describeState(UiState& state) const;

    // What the view shows, as of the last layout.
    LayoutKind layoutKind() const { return m_kind; }
    int entryCount() const { return m_entries; }
    int linesPerRecord() const { return m_lines; }
    const ViewMetrics& metrics() const { return m_metrics; }
    int scrollX() const { return m_metrics.scrollX; }
    int scrollY() const { return m_metrics.scrollY; }
    const ScrollGeometry& scrollGeometry() const { return m_scroll; }
    const ViewColors& colors() const { return m_colors; }
    const QFont& screenFont() const { return m_font; }
    int columnCount() const { return m_columnCount; }
    int clickedColumn() const { return m_clickedColumn; }
    // The column list's geometry as painted, for the order shown.
    ListGeometry listGeometry() const;
    // Whether the albums show as a grid of covers, and the grid as laid out last.
    bool showsCovers() const { return m_coversShown; }
    const CoverGrid& coverGrid() const { return m_grid; }
    // The covers' size, a step of kCoverZoomSteps; Ctrl+plus and Ctrl+minus change it.
    int coverZoom() const { return m_coverZoom; }
    void setCoverZoom(int zoom);
    CoverThumbnails& thumbnails() { return m_thumbnails; }

    // The selection, for Play, Modify, Delete and Find.
    const ViewSelection& selection() const { return m_selection; }
    const Catalogue& catalogue() const { return m_doc; }

    // The entry the keyboard works on, framed while the view has the focus; -1 for none. Clicks,
    // Go To, Find and Ctrl with the arrow keys move it, and assistive tools hear it as the focus.
    int currentEntry() const { return m_current; }
    void setCurrentEntry(int position);
    // Where the entry stands in the viewport, whether shown or not.
    QRect entryRect(int position) const;
    // What a left click on the entry does, for the keys and assistive tools.
    void clickEntry(int position, ClickModifiers modifiers);
    // Counts the changes after which the entries read differently (a new order, filter, edit or
    // layout), so that what was told about the old ones is dropped.
    int entriesGeneration() const { return m_generation; }

    void markFound(int position);
    // The entry selected alone, as a click on it selects it, so that Play takes it too.
    void selectEntry(int position);
    void clearSelection();

    void selectOrUnselectAll();
    // Covers a new order's entries before the selection is read.
    const ViewSelection& coveredSelection();

    // Scrolling as the scroll bars and keys request it; Go To brings an entry to the top.
    void scrollVertically(ScrollRequest request, int position = 0);
    void scrollHorizontally(ScrollRequest request, int position = 0);
    void scrollToEntry(int position);
    // Scrolls only when the entry is not wholly on the page.
    void revealEntry(int position);

    // Paints the client area as it stands; the paint event, the benchmark and the tests use it.
    void paintContents(QPainter& painter);
    void paintEmptyCatalogueHint(QPainter& painter);

    // DocumentObserver
    void documentUpdated() override;
    void viewReset() override;
    void headingsChanged() override;
    void displaySettingsChanged() override;
    void columnLayoutChanged() override;

signals:
    // The window shows the menu at globalPos; the view has already noted the clicked column.
    void menuRequested(ViewMenu menu, const QPoint& globalPos);
    // The user selected or deselected entries.
    void selectionChanged();
    // A double click on an entry, which is now the only one selected.
    void entryActivated();
    // A heading-row edge dragged to a new place: the layout with that edge moved, while the
    // button is held, and once more with finished set when it is released after a move.
    void columnLayoutEdited(LayoutId id, const ColumnLayout& layout, bool finished);

public:
    // What the view says while the catalogue holds no album.
    static QString emptyCatalogueHint();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct ColumnDrag
    {
        int edgeIndex = 0;
        LayoutId layout = LayoutId::ByArtist;
        std::optional<ColumnLayout> moved; // the layout as dragged so far
    };

    void updateLayout();
    void computeLayout();
    void pushScrollBars();
    void setScrollPosition(int x, int y);
    void onVerticalAction(int action);
    void onHorizontalAction(int action);
    void applyDisplaySettings();
    void setScreenFont(const QFont& font);
    std::optional<int> grabZoneAt(const QPoint& pos) const;
    void updateCursor(const QPoint& pos);
    void dragTo(const QPoint& pos);
    void finishDrag();
    void entriesChanged();
    void paintFocusFrame(QPainter& painter);
    void paintCovers(QPainter& painter);
    // The entry under a point of the viewport, or -1.
    int entryAtPoint(const QPoint& pos) const;
    // The entry the keyboard starts from when it has none yet: the first one in sight.
    int firstEntryInSight() const;
    bool coverKey(QKeyEvent* event);
    void announceFocus();
    void announceSelection();

    CatalogueDocument& m_doc;
    ViewSelection m_selection;
    ViewMetrics m_metrics;
    ScrollGeometry m_scroll;
    LayoutKind m_kind = LayoutKind::Normal;
    int m_lines = 19;
    int m_entries = 0;
    // What the last layout showed, to tell which document updates reset the scroll position.
    ViewStyle m_shownStyle = ViewStyle::Normal;
    int m_shownList = -1; // the derived list's order, -1 for the album orders
    int m_shownEntries = 0;
    bool m_inLayout = false;
    bool m_relayout = false;

    QFont m_font;
    std::optional<ScreenFont> m_screenFont; // unset: the initial 10-point font
    ViewColors m_colors;
    ViewOptions m_options;

    int m_columnCount = 0;
    int m_clickedColumn = 0;
    std::optional<ColumnDrag> m_drag;
    int m_current = -1;
    int m_generation = 0;

    bool m_coversShown = false;
    CoverGrid m_grid;
    int m_coverZoom = kDefaultCoverZoom;
    CoverThumbnails m_thumbnails;
};

} // namespace discora
