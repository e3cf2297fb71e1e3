#include "ui/view/catalogueview.h"

#include "core/base/cp1252.h"
#include "core/fileformat/coverfolder.h"
#include "core/layout/columnediting.h"
#include "core/layout/gotosearch.h"
#include "core/order/orderentries.h"
#include "core/order/orders.h"
#include "core/view/contrast.h"
#include "ui/support/fonts.h"
#include "ui/support/qttext.h"
#include "ui/view/catalogueaccessible.h"
#include "ui/view/covertiles.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <memory>
#include <utility>

namespace discora {

namespace {

// Until the options arrive: every grid, print and display switch off, the four "The" rules on.
ViewOptions initialViewOptions()
{
    ViewOptions o;
    for (int i = 0; i < kViewOptionCount; ++i)
        o.setAt(i, 0);
    for (ViewOption on :
         {ViewOption::GroupViewThe, ViewOption::SongThe, ViewOption::NlViewThe, ViewOption::ArtistThe})
        o.set(on, 1);
    return o;
}

// The widest character of the Windows-1252 range, the characters a catalogue's columns were laid
// out for; the widest glyph of a whole modern font would leave whole columns of blank space.
int widestCodePageCharacter(const QFontMetrics& fm)
{
    int widest = fm.averageCharWidth();
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        if (byte == 0x7F || (byte >= 0x80 && byte < 0xA0 && cp1252::toCodePoint(byte) == char32_t(byte)))
            continue;
        widest =
            std::max(widest, fm.horizontalAdvance(QChar(static_cast<char16_t>(cp1252::toCodePoint(byte)))));
    }
    return widest;
}

int derivedListOf(SortOrder order)
{
    return isAlbumOrder(order) ? -1 : static_cast<int>(order);
}

ScrollRequest requestOf(int action, bool sliderDown)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return ScrollRequest::LineForward;
    case QAbstractSlider::SliderSingleStepSub: return ScrollRequest::LineBack;
    case QAbstractSlider::SliderPageStepAdd: return ScrollRequest::PageForward;
    case QAbstractSlider::SliderPageStepSub: return ScrollRequest::PageBack;
    case QAbstractSlider::SliderToMinimum: return ScrollRequest::ToStart;
    case QAbstractSlider::SliderToMaximum: return ScrollRequest::ToEnd;
    case QAbstractSlider::SliderMove:
        return sliderDown ? ScrollRequest::ThumbTrack : ScrollRequest::ThumbPosition;
    default: return ScrollRequest::EndScroll;
    }
}

} // namespace

CatalogueView::CatalogueView(CatalogueDocument& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_colors(toViewColors(DisplayColors{})),
      m_options(initialViewOptions())
{
    setFocusPolicy(Qt::StrongFocus);
    installCatalogueAccessibility();
    setAccessibleName(QStringLiteral("Catalogue"));
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    m_metrics.dpi = logicalDpiY();
    setScreenFont(toQFont(LogicalFont{ScreenFont{}.faceName, 10 * m_metrics.dpi / 72, 400, false}));

    // The view does not follow the thumb while it is dragged; it scrolls, by whole lines, on release.
    verticalScrollBar()->setTracking(false);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, &CatalogueView::onVerticalAction);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &CatalogueView::onHorizontalAction);

    connect(&m_thumbnails, &CoverThumbnails::thumbnailsReady, viewport(), qOverload<>(&QWidget::update));

    m_doc.addObserver(this);
    m_selection.clear(orderEntryCount(m_doc));
    updateLayout();
}

CatalogueView::~CatalogueView()
{
    m_doc.removeObserver(this);
}

void CatalogueView::describeState(UiState& state) const
{
    state.anySelected = m_selection.anySelected();
    state.entryCount = orderEntryCount(m_doc);
    state.columnCount = m_columnCount;
    state.clickedColumn = m_clickedColumn;
}

// ---- Document ------------------------------------------------------------------------------

void CatalogueView::documentUpdated()
{
    const int list = derivedListOf(m_doc.currentOrder());
    const int entries = orderEntryCount(m_doc);
    const LayoutKind kind = currentLayoutKind(m_doc);
    // One album order following another keeps its place; a new layout starts at the top.
    if (m_doc.viewStyle() != m_shownStyle || list != m_shownList ||
        (showsAlbums(kind) && entries != m_shownEntries)) {
        m_metrics.scrollX = 0;
        m_metrics.scrollY = 0;
    }
    m_selection.clear(entries);
    updateLayout();
    entriesChanged();
}

void CatalogueView::viewReset()
{
    // Go To stays open: the user closes it, and it searches whichever catalogue is shown.
    m_metrics.scrollX = 0;
    m_metrics.scrollY = 0;
    m_selection.clear(orderEntryCount(m_doc));
    m_thumbnails.forgetUnreadable();
    updateLayout();
    entriesChanged();
}

void CatalogueView::entriesChanged()
{
    // Position p now stands for another entry: the keyboard starts again from the view's top.
    m_current = -1;
    ++m_generation;
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&event);
    }
}

void CatalogueView::headingsChanged()
{
    viewport()->update();
}

void CatalogueView::displaySettingsChanged()
{
    applyDisplaySettings();
}

void CatalogueView::columnLayoutChanged()
{
    updateLayout();
    entriesChanged();
}

void CatalogueView::applyDisplaySettings()
{
    m_colors = toViewColors(legibleOnScreen(m_doc.colors()));
    m_options = m_doc.viewOptions();
    if (m_screenFont != m_doc.font()) {
        m_screenFont = m_doc.font();
        setScreenFont(toQFont(*m_screenFont, m_metrics.dpi));
    }
    // New switches or a new font change every entry's height, so an old position would land
    // anywhere; the view starts again at the top.
    m_metrics.scrollX = 0;
    m_metrics.scrollY = 0;
    updateLayout();
    entriesChanged();
}

void CatalogueView::setScreenFont(const QFont& font)
{
    m_font = font;
    const QFontMetrics fm(m_font);
    m_metrics.lineHeight = std::max(1, lineHeight(fm));
    m_metrics.charWidth = std::max(1, fm.averageCharWidth());
    m_metrics.maxCharWidth = widestCodePageCharacter(fm);
}

// ---- Layout and scrolling ------------------------------------------------------------------

ListGeometry CatalogueView::listGeometry() const
{
    return discora::listGeometry(m_kind, shownColumnLayout(m_doc), m_metrics);
}

void CatalogueView::computeLayout()
{
    m_kind = currentLayoutKind(m_doc);
    m_entries = orderEntryCount(m_doc);
    m_lines = discora::linesPerRecord(m_kind, m_options);
    m_metrics.clientWidth = viewport()->width();
    m_metrics.clientHeight = viewport()->height();
    m_coversShown = m_doc.viewStyle() == ViewStyle::Covers && isAlbumOrder(m_doc.currentOrder());
    // The grid follows the thumb as it is dragged; the lines of the other layouts come on release.
    verticalScrollBar()->setTracking(m_coversShown);
    if (m_coversShown) {
        m_grid = discora::coverGrid(m_metrics, m_coverZoom, m_entries);
        const ScrollGeometry geometry{0, m_grid.contentHeight, 0, m_metrics.clientHeight};
        const FittedScroll fitted = fitScroll(geometry, 0, m_metrics.scrollY);
        m_scroll = fitted.geometry;
        m_metrics.scrollX = 0;
        m_metrics.scrollY = fitted.scrollY;
        m_shownStyle = m_doc.viewStyle();
        m_shownList = -1;
        m_shownEntries = m_entries;
        return;
    }
    int contentWidth = 0;
    switch (layoutKindInfo(m_kind).block) {
    case BlockShape::Normal:
        contentWidth = normalPositions(m_metrics.dpi, m_metrics.maxCharWidth).contentWidth;
        break;
    case BlockShape::SongDetail:
        contentWidth = songDetailBlock(m_metrics.dpi, m_metrics.maxCharWidth).contentWidth;
        break;
    case BlockShape::None: {
        const ListGeometry g = listGeometry();
        contentWidth = g.contentWidth;
        m_columnCount = g.columnCount;
        break;
    }
    }
    const FittedScroll fitted =
        fitScroll(layoutScrollGeometry(m_kind, m_metrics, m_lines, m_entries, contentWidth),
                  m_metrics.scrollX, m_metrics.scrollY);
    m_scroll = fitted.geometry;
    m_metrics.scrollX = fitted.scrollX;
    m_metrics.scrollY = fitted.scrollY;
    m_shownStyle = m_doc.viewStyle();
    m_shownList = derivedListOf(m_doc.currentOrder());
    m_shownEntries = m_entries;
}

void CatalogueView::updateLayout()
{
    if (m_inLayout) {
        m_relayout = true; // a scroll bar came or went and changed the client size
        return;
    }
    m_inLayout = true;
    for (int pass = 0; pass < 4; ++pass) {
        m_relayout = false;
        computeLayout();
        pushScrollBars();
        if (!m_relayout && viewport()->width() == m_metrics.clientWidth &&
            viewport()->height() == m_metrics.clientHeight)
            break;
    }
    m_inLayout = false;
    viewport()->update();
}

void CatalogueView::pushScrollBars()
{
    // Position first in the members, so the scroll bars' echo finds nothing left to do.
    const int x = m_metrics.scrollX;
    const int y = m_metrics.scrollY;
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, maxScroll(m_scroll.contentHeight, m_scroll.pageHeight));
    v->setPageStep(std::max(1, m_scroll.pageHeight));
    v->setSingleStep(m_metrics.lineHeight);
    v->setValue(y);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, maxScroll(m_scroll.contentWidth, m_scroll.pageWidth));
    h->setPageStep(std::max(1, m_scroll.pageWidth));
    h->setSingleStep(m_metrics.charWidth);
    h->setValue(x);
    m_metrics.scrollX = x;
    m_metrics.scrollY = y;
}

void CatalogueView::setScrollPosition(int x, int y)
{
    if (x == m_metrics.scrollX && y == m_metrics.scrollY)
        return;
    m_metrics.scrollX = x;
    m_metrics.scrollY = y;
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
    viewport()->update();
}

void CatalogueView::scrollContentsBy(int, int)
{
    if (m_inLayout)
        return;
    m_metrics.scrollX = horizontalScrollBar()->value();
    m_metrics.scrollY = verticalScrollBar()->value();
    viewport()->update();
}

void CatalogueView::scrollVertically(ScrollRequest request, int position)
{
    const int y = verticalScroll(request, m_metrics.scrollY, position, m_metrics.lineHeight,
                                 m_scroll.pageHeight, maxScroll(m_scroll.contentHeight, m_scroll.pageHeight));
    setScrollPosition(m_metrics.scrollX, y);
}

void CatalogueView::scrollHorizontally(ScrollRequest request, int position)
{
    const int x = horizontalScroll(request, m_metrics.scrollX, position, m_metrics.charWidth,
                                   m_scroll.pageWidth, maxScroll(m_scroll.contentWidth, m_scroll.pageWidth));
    setScrollPosition(x, m_metrics.scrollY);
}

void CatalogueView::onVerticalAction(int action)
{
    if (m_coversShown)
        return; // the bar's own steps: a line of text, a page
    QScrollBar* bar = verticalScrollBar();
    const int y = verticalScroll(requestOf(action, bar->isSliderDown()), m_metrics.scrollY,
                                 bar->sliderPosition(), m_metrics.lineHeight, m_scroll.pageHeight,
                                 maxScroll(m_scroll.contentHeight, m_scroll.pageHeight));
    bar->setSliderPosition(y);
}

void CatalogueView::onHorizontalAction(int action)
{
    QScrollBar* bar = horizontalScrollBar();
    const int x = horizontalScroll(requestOf(action, bar->isSliderDown()), m_metrics.scrollX,
                                   bar->sliderPosition(), m_metrics.charWidth, m_scroll.pageWidth,
                                   maxScroll(m_scroll.contentWidth, m_scroll.pageWidth));
    bar->setSliderPosition(x);
}

void CatalogueView::scrollToEntry(int position)
{
    if (m_coversShown) {
        const int top = m_grid.tile(std::clamp(position, 0, std::max(0, m_entries - 1))).y - m_grid.gap;
        setScrollPosition(0, std::clamp(top, 0, m_grid.maxScrollY(m_metrics.clientHeight)));
        setCurrentEntry(position);
        return;
    }
    setScrollPosition(m_metrics.scrollX, goToScrollPosition(position, m_metrics.lineHeight, m_lines,
                                                            m_scroll.contentHeight, m_scroll.pageHeight));
    setCurrentEntry(position);
}

void CatalogueView::setCurrentEntry(int position)
{
    const int entries = orderEntryCount(m_doc);
    if (entries == 0)
        return;
    position = std::clamp(position, 0, entries - 1);
    ViewMetrics m = m_metrics;
    m.clientWidth = viewport()->width();
    m.clientHeight = viewport()->height();
    if (m_coversShown)
        setScrollPosition(0, m_grid.scrollToShow(position, m_metrics.scrollY, m.clientHeight));
    else
        setScrollPosition(
            m_metrics.scrollX,
            scrollToShowEntry(position, m, m_lines, maxScroll(m_scroll.contentHeight, m_scroll.pageHeight)));
    if (position == m_current)
        return;
    m_current = position;
    viewport()->update();
    announceFocus();
}

QRect CatalogueView::entryRect(int position) const
{
    if (m_coversShown) {
        const TileRect t = m_grid.tile(position);
        return QRect(t.x, t.y - m_metrics.scrollY, t.width, t.height);
    }
    const int height = m_lines * m_metrics.lineHeight;
    return QRect(0, entryTop(position, m_metrics, m_lines), viewport()->width(), height);
}

void CatalogueView::announceFocus()
{
    if (m_current < 0 || !hasFocus() || !QAccessible::isActive())
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(m_current);
    QAccessible::updateAccessibility(&event);
}

void CatalogueView::announceSelection()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(this, QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&event);
}

void CatalogueView::revealEntry(int position)
{
    if (m_coversShown) {
        setScrollPosition(0, m_grid.scrollToShow(position, m_metrics.scrollY, viewport()->height()));
        return;
    }
    const int height = m_lines * m_metrics.lineHeight;
    const int top = position * height;
    if (top < m_metrics.scrollY || top + height > m_metrics.scrollY + m_scroll.pageHeight)
        scrollToEntry(position);
}

void CatalogueView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateLayout();
}

// ---- Painting ------------------------------------------------------------------------------

void CatalogueView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), m_colors.background);
    paintContents(painter);
    if (m_doc.albumCount() == 0)
        paintEmptyCatalogueHint(painter);
    paintFocusFrame(painter);
}

// The keyboard's entry wears a frame of text-coloured dashes on a line of the window's colour, which
// shows on the window, the heading bands and a selected entry alike, whether the focus came by key
// or by mouse (the style's own focus frame shows only after a key moved the focus).
void CatalogueView::paintFocusFrame(QPainter& painter)
{
    if (!hasFocus() || m_current < 0 || m_current >= orderEntryCount(m_doc))
        return;
    const QRect frame = m_coversShown ? entryRect(m_current).adjusted(1, 1, -2, -2)
                                      : entryRect(m_current).adjusted(2, 2, -3, -3);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(m_colors.background, 2));
    painter.drawRect(frame);
    painter.setPen(QPen(m_colors.data, 2, Qt::DashLine));
    painter.drawRect(frame);
    painter.restore();
}

// A catalogue without albums says, quietly, how to get one.
void CatalogueView::paintEmptyCatalogueHint(QPainter& painter)
{
    const QRect area = viewport()->rect().adjusted(0, m_metrics.lineHeight * 3, 0, 0);
    if (area.height() < m_metrics.lineHeight * 2)
        return;
    QColor hint = m_colors.data;
    hint.setAlphaF(0.45);
    painter.setPen(hint);
    painter.setFont(m_font);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, emptyCatalogueHint());
}

QString CatalogueView::emptyCatalogueHint()
{
    return QStringLiteral(
        "This catalogue has no albums yet.\n"
        "Add one with Edit \u203A Enter (Ctrl+E), open a catalogue with File \u203A Open (Ctrl+O),\n"
        "or bring in a spreadsheet's albums with File \u203A Import.");
}

void CatalogueView::paintContents(QPainter& painter)
{
    if (m_coversShown && m_doc.viewStyle() == ViewStyle::Covers && isAlbumOrder(m_doc.currentOrder())) {
        paintCovers(painter);
        return;
    }
    // Read afresh: a paint may come between a change and its announcement.
    const LayoutKind kind = currentLayoutKind(m_doc);
    const int entries = orderEntryCount(m_doc);
    m_selection.cover(entries);
    ViewMetrics metrics = m_metrics;
    metrics.clientWidth = viewport()->width();
    metrics.clientHeight = viewport()->height();
    PaintInput input{m_doc, m_selection, metrics, kind, entries, m_font, m_colors, m_options};
    std::vector<CoverThumbnails::Source> wanted;
    int wantedSide = 0;
    if (m_options.on(ViewOption::ShowCover) && layoutKindInfo(kind).block == BlockShape::Normal) {
        input.covers = [&](std::string_view name, int side) {
            const QString qname = toQt(name);
            CoverLook look{m_thumbnails.find(qname, side), m_thumbnails.unreadable(qname)};
            if (look.image.isNull() && !look.missing) {
                wanted.push_back(coverSourceOf(m_doc, std::string(name)));
                wantedSide = side;
            }
            return look;
        };
    }
    CataloguePainter(painter, input).paint();
    if (!wanted.empty())
        m_thumbnails.request(wanted, wantedSide);
}

void CatalogueView::paintCovers(QPainter& painter)
{
    m_selection.cover(m_entries);
    const CoverTilesInput input{m_doc,  m_selection, m_grid, m_metrics.scrollY, viewport()->height(),
                                m_font, m_colors};
    m_thumbnails.request(paintCoverTiles(painter, input, m_thumbnails), m_grid.side);
}

// ---- Mouse and keys ------------------------------------------------------------------------

void CatalogueView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_entries == 0)
        return;
    const QPoint pos = event->position().toPoint();
    if (m_coversShown || pos.y() >= m_metrics.lineHeight) {
        const int position = entryAtPoint(pos);
        if (position < 0)
            return;
        const Qt::KeyboardModifiers held = event->modifiers();
        clickEntry(position, {held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::ControlModifier)});
        return;
    }
    if (isColumnList(m_kind)) {
        if (const auto edge = grabZoneAt(pos)) {
            m_drag = ColumnDrag{*edge, layoutOf(m_doc.currentOrder()), std::nullopt};
            viewport()->setCursor(Qt::SizeHorCursor);
        }
    }
}

void CatalogueView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_entries == 0)
        return;
    const int position = entryAtPoint(event->position().toPoint());
    if (position < 0)
        return;
    m_selection.cover(m_entries);
    m_selection.selectOnly(position);
    m_current = position;
    viewport()->update();
    announceSelection();
    emit selectionChanged();
    emit entryActivated();
}

int CatalogueView::entryAtPoint(const QPoint& pos) const
{
    if (m_coversShown)
        return m_grid.entryAt(pos.x(), pos.y() + m_metrics.scrollY);
    if (pos.y() < m_metrics.lineHeight)
        return -1;
    const int position = hitTest(pos.y(), m_metrics, m_lines);
    return position < m_entries ? position : -1;
}

int CatalogueView::firstEntryInSight() const
{
    const int entries = orderEntryCount(m_doc);
    if (m_coversShown)
        return std::clamp(m_grid.firstShown(m_metrics.scrollY), 0, std::max(0, entries - 1));
    return std::clamp(hitTest(m_lines == 1 ? m_metrics.lineHeight : 0, m_metrics, m_lines), 0,
                      std::max(0, entries - 1));
}

void CatalogueView::setCoverZoom(int zoom)
{
    zoom = std::clamp(zoom, 0, kCoverZoomStepCount - 1);
    if (zoom == m_coverZoom)
        return;
    // The keyboard's entry (or the first in sight) stays in sight as the tiles grow or shrink.
    const int anchor = m_current >= 0 ? m_current : firstEntryInSight();
    m_coverZoom = zoom;
    updateLayout();
    if (m_coversShown && m_entries > 0)
        revealEntry(anchor);
}

void CatalogueView::wheelEvent(QWheelEvent* event)
{
    if (m_coversShown && event->modifiers().testFlag(Qt::ControlModifier)) {
        const int steps = event->angleDelta().y() / 120;
        if (steps != 0)
            setCoverZoom(m_coverZoom + steps);
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

// The grid's keys: the arrows and page keys move the keyboard's entry from tile to tile (with Ctrl
// too, as in the other layouts), and Ctrl with plus, minus or 0 sizes the covers.
bool CatalogueView::coverKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
    if (held == Qt::ControlModifier || held == (Qt::ControlModifier | Qt::ShiftModifier)) {
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal: setCoverZoom(m_coverZoom + 1); return true;
        case Qt::Key_Minus: setCoverZoom(m_coverZoom - 1); return true;
        case Qt::Key_0: setCoverZoom(kDefaultCoverZoom); return true;
        default: break;
        }
    }
    if (held != Qt::NoModifier && held != Qt::ControlModifier)
        return false;
    std::optional<GridMove> move;
    switch (event->key()) {
    case Qt::Key_Left: move = GridMove::Left; break;
    case Qt::Key_Right: move = GridMove::Right; break;
    case Qt::Key_Up: move = GridMove::Up; break;
    case Qt::Key_Down: move = GridMove::Down; break;
    case Qt::Key_PageUp: move = GridMove::PageUp; break;
    case Qt::Key_PageDown: move = GridMove::PageDown; break;
    case Qt::Key_Home: move = GridMove::Home; break;
    case Qt::Key_End: move = GridMove::End; break;
    default: return false;
    }
    if (m_entries == 0)
        return true;
    // Without an entry yet, the first key lands on the first tile in sight.
    const int to =
        m_current < 0 ? firstEntryInSight() : moveInGrid(m_grid, m_current, *move, viewport()->height());
    setCurrentEntry(to);
    return true;
}

void CatalogueView::clickEntry(int position, ClickModifiers modifiers)
{
    const int entries = orderEntryCount(m_doc);
    if (position < 0 || position >= entries)
        return;
    m_selection.cover(entries);
    m_selection.click(position, modifiers, [this](int p) { return entryIsPlayable(m_doc, p); });
    if (position != m_current) {
        m_current = position;
        announceFocus();
    }
    viewport()->update();
    announceSelection();
    emit selectionChanged();
}

void CatalogueView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_drag) {
        if (!event->buttons().testFlag(Qt::LeftButton) || pos.y() <= 0 || pos.y() >= m_metrics.lineHeight)
            finishDrag();
        else
            dragTo(pos);
        return;
    }
    updateCursor(pos);
}

void CatalogueView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_drag && event->button() == Qt::LeftButton) {
        finishDrag();
        updateCursor(event->position().toPoint());
    }
}

std::optional<int> CatalogueView::grabZoneAt(const QPoint& pos) const
{
    if (!isColumnList(m_kind) || m_entries == 0 || pos.y() < 0 || pos.y() >= m_metrics.lineHeight)
        return std::nullopt;
    for (const GrabZone& zone : listGeometry().grabZones)
        if (zone.contains(pos.x()))
            return zone.edgeIndex;
    return std::nullopt;
}

void CatalogueView::updateCursor(const QPoint& pos)
{
    if (grabZoneAt(pos))
        viewport()->setCursor(Qt::SizeHorCursor);
    else
        viewport()->unsetCursor();
}

void CatalogueView::dragTo(const QPoint& pos)
{
    ColumnLayout changed = m_drag->moved ? *m_drag->moved : shownColumnLayout(m_doc);
    const int index = m_drag->edgeIndex;
    const auto edge = draggedEdge(changed, m_kind, index, pos.x() + m_metrics.scrollX, m_metrics.clientWidth,
                                  m_metrics.scrollX);
    if (!edge || *edge == changed.leftEdges[index])
        return;
    changed.leftEdges[index] = *edge;
    m_drag->moved = changed;
    emit columnLayoutEdited(m_drag->layout, changed, false);
    // The heading strip between the neighbouring edges follows the pointer at once.
    const ListGeometry g = listGeometry();
    const int previous = index == 0 ? 0 : changed.leftEdges[index - 1];
    const int next = index + 1 < kLeftEdgeCount && changed.leftEdges[index + 1] != 0
                         ? changed.leftEdges[index + 1]
                         : g.paintWidth;
    viewport()->repaint(
        QRect(previous - m_metrics.scrollX - 2, 0, next - previous + 4, m_metrics.lineHeight));
}

void CatalogueView::finishDrag()
{
    const std::optional<ColumnDrag> drag = std::exchange(m_drag, std::nullopt);
    if (drag && drag->moved)
        emit columnLayoutEdited(drag->layout, *drag->moved, true);
    updateLayout();
}

void CatalogueView::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_entries == 0)
        return;
    const QPoint pos = event->pos();
    if (!m_coversShown && isColumnList(m_kind) && pos.y() < m_metrics.lineHeight) {
        const ListGeometry g = listGeometry();
        m_clickedColumn = clickedColumnAt(g, pos.x() + m_metrics.scrollX);
        m_columnCount = g.columnCount;
        emit menuRequested(ViewMenu::Fields, event->globalPos());
    } else {
        emit menuRequested(ViewMenu::Context, event->globalPos());
    }
}

void CatalogueView::keyPressEvent(QKeyEvent* event)
{
    // Ctrl with the arrow and page keys moves the keyboard's entry; the plain keys scroll.
    const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
    const int entries = orderEntryCount(m_doc);
    if (m_coversShown && coverKey(event)) {
        event->accept();
        return;
    }
    if (held == Qt::ControlModifier && entries > 0) {
        const int page = std::max(1, m_scroll.pageHeight / std::max(1, m_lines * m_metrics.lineHeight));
        // Without an entry yet, the first step lands on the top entry in sight.
        const int from = m_current >= 0 ? m_current : firstEntryInSight();
        const int step = m_current >= 0 ? 1 : 0;
        std::optional<int> to;
        switch (event->key()) {
        case Qt::Key_Up: to = from - step; break;
        case Qt::Key_Down: to = from + step; break;
        case Qt::Key_PageUp: to = from - page; break;
        case Qt::Key_PageDown: to = from + page; break;
        case Qt::Key_Home: to = 0; break;
        case Qt::Key_End: to = entries - 1; break;
        default: break;
        }
        if (to) {
            setCurrentEntry(*to);
            event->accept();
            return;
        }
    }
    if (entries > 0 && event->key() == Qt::Key_Space &&
        (held & ~(Qt::ShiftModifier | Qt::ControlModifier)) == Qt::NoModifier) {
        if (m_current < 0)
            setCurrentEntry(firstEntryInSight());
        clickEntry(m_current, {held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::ControlModifier)});
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && held == Qt::NoModifier &&
        m_current >= 0 && m_current < entries) {
        m_selection.cover(entries);
        m_selection.selectOnly(m_current);
        viewport()->update();
        announceSelection();
        emit selectionChanged();
        emit entryActivated();
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_PageUp: scrollVertically(ScrollRequest::PageBack); break;
    case Qt::Key_PageDown: scrollVertically(ScrollRequest::PageForward); break;
    case Qt::Key_Up: scrollVertically(ScrollRequest::LineBack); break;
    case Qt::Key_Down: scrollVertically(ScrollRequest::LineForward); break;
    case Qt::Key_Left: scrollHorizontally(ScrollRequest::LineBack); break;
    case Qt::Key_Right: scrollHorizontally(ScrollRequest::LineForward); break;
    case Qt::Key_Home:
        scrollVertically(ScrollRequest::ToStart);
        scrollHorizontally(ScrollRequest::ToStart);
        break;
    case Qt::Key_End:
        scrollVertically(ScrollRequest::ToEnd);
        scrollHorizontally(ScrollRequest::ToStart);
        break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}

void CatalogueView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    announceFocus();
}

void CatalogueView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

// ---- Commands ------------------------------------------------------------------------------

void CatalogueView::selectOrUnselectAll()
{
    m_selection.cover(orderEntryCount(m_doc));
    m_selection.toggleAll();
    viewport()->update();
    announceSelection();
}

const ViewSelection& CatalogueView::coveredSelection()
{
    m_selection.cover(orderEntryCount(m_doc));
    return m_selection;
}

void CatalogueView::markFound(int position)
{
    m_selection.cover(orderEntryCount(m_doc));
    m_selection.markFound(position);
    // Find shows what it found where it stands, without scrolling; the keyboard takes it up.
    if (position >= 0 && position < orderEntryCount(m_doc) && position != m_current) {
        m_current = position;
        announceFocus();
    }
    viewport()->update();
    announceSelection();
}

void CatalogueView::selectEntry(int position)
{
    m_selection.clear(orderEntryCount(m_doc));
    m_selection.click(position, ClickModifiers{}, [this](int p) { return entryIsPlayable(m_doc, p); });
    viewport()->update();
    emit selectionChanged();
}

void CatalogueView::clearSelection()
{
    m_selection.clear(orderEntryCount(m_doc));
    viewport()->update();
    announceSelection();
    emit selectionChanged();
}

} // namespace discora
