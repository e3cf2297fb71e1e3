// What assistive tools (screen readers, through the desktop's accessibility bus) see of the
// catalogue view: a table whose rows are the entries of the current order. Row and cell objects are
// made only when a tool asks for them and are kept by position until the entries change, so a
// catalogue of a million songs costs nothing until it is read.
#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace discora {

class CatalogueView;
struct SpokenEntry;

// Makes every CatalogueView answer with a CatalogueAccessible; safe to call more than once.
void installCatalogueAccessibility();

class CatalogueAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit CatalogueAccessible(CatalogueView* view);
    ~CatalogueAccessible() override;

    CatalogueView* view() const;
    SpokenEntry entry(int row) const;
    // The row interface of an entry, made on first request; nullptr outside the order.
    QAccessibleInterface* row(int position) const;

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int row) override;
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    // Drops the rows and cells told about before the view's entries last changed.
    void forgetStale() const;
    void forgetAll() const;

    mutable QHash<int, QAccessible::Id> m_rows;
    mutable QHash<qint64, QAccessible::Id> m_cells;
    mutable int m_generation = 0;
};

} // namespace discora
