#include "ui/view/catalogueaccessible.h"

#include "core/layout/spokenentry.h"
#include "core/order/orderentries.h"
#include "core/order/orders.h"
#include "ui/support/qttext.h"
#include "ui/view/cataloguecellaccessible.h"
#include "ui/view/catalogueentryaccessible.h"
#include "ui/view/catalogueview.h"

namespace discora {

namespace {

// Telling about every selected cell of a large selection would make as many objects; tools read a
// selection by its rows.
constexpr int kMaxSelectedCells = 1024;

QAccessibleInterface* makeInterface(const QString&, QObject* object)
{
    if (auto* view = qobject_cast<CatalogueView*>(object))
        return new CatalogueAccessible(view);
    return nullptr;
}

qint64 cellKey(int row, int column)
{
    return (static_cast<qint64>(row) << 16) | column;
}

} // namespace

void installCatalogueAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    (void)installed;
}

CatalogueAccessible::CatalogueAccessible(CatalogueView* view)
    : QAccessibleWidget(view, QAccessible::Table), m_generation(view->entriesGeneration())
{}

CatalogueAccessible::~CatalogueAccessible()
{
    forgetAll();
}

CatalogueView* CatalogueAccessible::view() const
{
    return static_cast<CatalogueView*>(widget());
}

SpokenEntry CatalogueAccessible::entry(int row) const
{
    return spokenEntry(view()->catalogue(), row);
}

void CatalogueAccessible::forgetStale() const
{
    if (view()->entriesGeneration() != m_generation)
        forgetAll();
}

void CatalogueAccessible::forgetAll() const
{
    for (QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
    for (QAccessible::Id id : std::as_const(m_rows))
        QAccessible::deleteAccessibleInterface(id);
    m_cells.clear();
    m_rows.clear();
    if (isValid())
        m_generation = view()->entriesGeneration();
}

void CatalogueAccessible::modelChange(QAccessibleTableModelChangeEvent*)
{
    forgetAll();
}

void* CatalogueAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString CatalogueAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Description && isValid()) {
        // What the view shows, e.g. "by artist, 12 entries".
        const Catalogue& doc = view()->catalogue();
        return QStringLiteral("%1, %2 entries")
            .arg(toQt(sortOrderInfo(doc.currentOrder()).name).replace(QLatin1Char('-'), QLatin1Char(' ')))
            .arg(orderEntryCount(doc));
    }
    return QAccessibleWidget::text(t);
}

int CatalogueAccessible::rowCount() const
{
    return isValid() ? orderEntryCount(view()->catalogue()) : 0;
}

int CatalogueAccessible::columnCount() const
{
    return isValid() ? spokenColumnCount(view()->catalogue()) : 0;
}

int CatalogueAccessible::childCount() const
{
    return rowCount();
}

QAccessibleInterface* CatalogueAccessible::child(int index) const
{
    return row(index);
}

QAccessibleInterface* CatalogueAccessible::row(int position) const
{
    if (position < 0 || position >= rowCount())
        return nullptr;
    forgetStale();
    if (const auto found = m_rows.constFind(position); found != m_rows.cend())
        return QAccessible::accessibleInterface(*found);
    auto* row = new CatalogueEntryAccessible(this, position);
    m_rows.insert(position, QAccessible::registerAccessibleInterface(row));
    return row;
}

QAccessibleInterface* CatalogueAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    forgetStale();
    const qint64 key = cellKey(row, column);
    if (const auto found = m_cells.constFind(key); found != m_cells.cend())
        return QAccessible::accessibleInterface(*found);
    auto* cell = new CatalogueCellAccessible(this, row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int CatalogueAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child || child->role() != QAccessible::Row || child->parent() != this)
        return -1;
    return static_cast<const CatalogueEntryAccessible*>(child)->position();
}

QAccessibleInterface* CatalogueAccessible::childAt(int x, int y) const
{
    if (!isValid())
        return nullptr;
    const CatalogueView* v = view();
    const QPoint local = v->viewport()->mapFromGlobal(QPoint(x, y));
    if (!v->viewport()->rect().contains(local))
        return nullptr;
    return row(hitTest(local.y(), v->metrics(), v->linesPerRecord()));
}

QAccessibleInterface* CatalogueAccessible::focusChild() const
{
    if (!isValid() || !view()->hasFocus())
        return nullptr;
    return row(view()->currentEntry());
}

QString CatalogueAccessible::columnDescription(int column) const
{
    if (!isValid())
        return {};
    const std::vector<std::string> headings = spokenColumnHeadings(view()->catalogue());
    if (column < 0 || column >= static_cast<int>(headings.size()))
        return {};
    return toQt(headings[static_cast<std::size_t>(column)]);
}

QString CatalogueAccessible::rowDescription(int row) const
{
    return toQt(entry(row).name);
}

bool CatalogueAccessible::isRowSelected(int row) const
{
    return isValid() && view()->selection().isSelected(row);
}

int CatalogueAccessible::selectedRowCount() const
{
    return isValid() ? view()->selection().selectedCount() : 0;
}

QList<int> CatalogueAccessible::selectedRows() const
{
    QList<int> rows;
    if (!isValid())
        return rows;
    for (int position : view()->selection().positions())
        rows.append(position);
    return rows;
}

int CatalogueAccessible::selectedCellCount() const
{
    return selectedRowCount() * columnCount();
}

QList<QAccessibleInterface*> CatalogueAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    const int columns = columnCount();
    for (int row : selectedRows()) {
        for (int column = 0; column < columns && cells.size() < kMaxSelectedCells; ++column)
            cells.append(cellAt(row, column));
    }
    return cells;
}

bool CatalogueAccessible::selectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    // As a Ctrl click: the entry joins the selection (and Play's list).
    if (!isRowSelected(row))
        view()->clickEntry(row, {false, true});
    return true;
}

bool CatalogueAccessible::unselectRow(int row)
{
    if (!isRowSelected(row))
        return row >= 0 && row < rowCount();
    // A click on a selected entry clears the whole selection; a single entry cannot be taken out.
    if (selectedRowCount() != 1)
        return false;
    view()->clickEntry(row, {});
    return true;
}

} // namespace discora
