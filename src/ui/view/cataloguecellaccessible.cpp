#include "ui/view/cataloguecellaccessible.h"

#include "core/layout/spokenentry.h"
#include "ui/support/qttext.h"
#include "ui/view/catalogueaccessible.h"
#include "ui/view/catalogueview.h"

namespace discora {

CatalogueCellAccessible::CatalogueCellAccessible(const CatalogueAccessible* table, int row, int column)
    : m_table(table), m_row(row), m_column(column)
{}

bool CatalogueCellAccessible::isValid() const
{
    return m_table->isValid() && m_row < m_table->rowCount() && m_column < m_table->columnCount();
}

QWindow* CatalogueCellAccessible::window() const
{
    return m_table->window();
}

QAccessibleInterface* CatalogueCellAccessible::parent() const
{
    return m_table->row(m_row);
}

QAccessibleInterface* CatalogueCellAccessible::table() const
{
    return const_cast<CatalogueAccessible*>(m_table);
}

void* CatalogueCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

QString CatalogueCellAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return {};
    const SpokenEntry e = m_table->entry(m_row);
    return m_column < static_cast<int>(e.cells.size()) ? toQt(e.cells[static_cast<std::size_t>(m_column)])
                                                       : QString();
}

QRect CatalogueCellAccessible::rect() const
{
    // The painted layouts do not split an entry into boxes a tool could use; the cell shares its row's.
    const QAccessibleInterface* row = parent();
    return row ? row->rect() : QRect();
}

bool CatalogueCellAccessible::isSelected() const
{
    return m_table->isRowSelected(m_row);
}

QAccessible::State CatalogueCellAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.selectable = true;
    s.selected = isSelected();
    return s;
}

} // namespace discora
