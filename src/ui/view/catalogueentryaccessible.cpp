#include "ui/view/catalogueentryaccessible.h"

#include "core/layout/spokenentry.h"
#include "ui/support/qttext.h"
#include "ui/view/catalogueaccessible.h"
#include "ui/view/catalogueview.h"

#include <QWidget>

namespace discora {

CatalogueEntryAccessible::CatalogueEntryAccessible(const CatalogueAccessible* table, int position)
    : m_table(table), m_position(position)
{}

bool CatalogueEntryAccessible::isValid() const
{
    return m_table->isValid() && m_position < m_table->rowCount();
}

QWindow* CatalogueEntryAccessible::window() const
{
    return m_table->window();
}

QAccessibleInterface* CatalogueEntryAccessible::parent() const
{
    return const_cast<CatalogueAccessible*>(m_table);
}

QAccessibleInterface* CatalogueEntryAccessible::child(int index) const
{
    return m_table->cellAt(m_position, index);
}

int CatalogueEntryAccessible::childCount() const
{
    return isValid() ? m_table->columnCount() : 0;
}

int CatalogueEntryAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const QAccessibleTableCellInterface* cell =
        child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (!cell || cell->rowIndex() != m_position || child->parent() != this)
        return -1;
    return cell->columnIndex();
}

QAccessibleInterface* CatalogueEntryAccessible::childAt(int x, int y) const
{
    for (int column = 0, columns = childCount(); column < columns; ++column) {
        QAccessibleInterface* cell = child(column);
        if (cell && cell->rect().contains(x, y))
            return cell;
    }
    return nullptr;
}

QString CatalogueEntryAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    switch (t) {
    case QAccessible::Name: return toQt(m_table->entry(m_position).name);
    case QAccessible::Description: return toQt(m_table->entry(m_position).description);
    default: return {};
    }
}

QRect CatalogueEntryAccessible::rect() const
{
    if (!isValid())
        return {};
    const QWidget* viewport = m_table->view()->viewport();
    const QRect r = m_table->view()->entryRect(m_position);
    return QRect(viewport->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::State CatalogueEntryAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    const CatalogueView* view = m_table->view();
    s.selectable = true;
    s.focusable = true;
    s.multiSelectable = true;
    s.selected = view->selection().isSelected(m_position);
    s.focused = view->hasFocus() && view->currentEntry() == m_position;
    const QRect shown = view->entryRect(m_position);
    s.offscreen = !view->viewport()->rect().intersects(shown);
    s.invisible = s.offscreen;
    return s;
}

} // namespace discora
