// One entry of the catalogue view as assistive tools see it: a table row named by what a person
// would hear for it, with its cells as children. It holds only its position; its texts and state
// are read from the view each time.
#pragma once

#include <QAccessibleInterface>

namespace discora {

class CatalogueAccessible;

class CatalogueEntryAccessible : public QAccessibleInterface
{
public:
    CatalogueEntryAccessible(const CatalogueAccessible* table, int position);

    int position() const { return m_position; }
    const CatalogueAccessible* table() const { return m_table; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Row; }
    QAccessible::State state() const override;

private:
    const CatalogueAccessible* m_table;
    int m_position;
};

} // namespace discora
