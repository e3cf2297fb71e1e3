// One text of an entry of the catalogue view, as a table cell for assistive tools: what the entry
// shows in one column (or, in the block layouts, one of its labelled values).
#pragma once

#include <QAccessibleInterface>

namespace discora {

class CatalogueAccessible;

class CatalogueCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    CatalogueCellAccessible(const CatalogueAccessible* table, int row, int column);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    const CatalogueAccessible* m_table;
    int m_row;
    int m_column;
};

} // namespace discora
