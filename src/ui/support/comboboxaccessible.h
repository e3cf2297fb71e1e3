// Combo boxes as a screen reader hears them: by the name of their field, their value apart. Qt on
// Linux gives a combo box its value as its name, so a filled field was heard as "combo box 'the
// Quiet Foxes'" and not as the label beside it said.
#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace discora {

// Makes every combo box a screen reader asks about from now on a ComboBoxAccessible; done once,
// at start.
void installComboBoxAccessibility();

class ComboBoxAccessible : public QAccessibleWidget
{
public:
    explicit ComboBoxAccessible(QComboBox* box);

    // Name: the field's name (its accessible name, or failing that its label's words), the value
    // only for a box that has no name at all. Value: the text shown or typed.
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    // The drop-down list and, in an editable box, the edit line, which holds the focus.
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;

    // Opening and closing the drop-down list, besides taking the focus.
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    QComboBox* comboBox() const;
};

} // namespace discora
