#include "ui/support/comboboxaccessible.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace discora {

namespace {

QAccessibleInterface* makeInterface(const QString&, QObject* object)
{
    if (auto* box = qobject_cast<QComboBox*>(object))
        return new ComboBoxAccessible(box);
    return nullptr;
}

} // namespace

void installComboBoxAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    (void)installed;
}

ComboBoxAccessible::ComboBoxAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

QComboBox* ComboBoxAccessible::comboBox() const
{
    return static_cast<QComboBox*>(widget());
}

QString ComboBoxAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return comboBox()->isEditable() ? comboBox()->lineEdit()->text() : comboBox()->currentText();
    const QString text = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && text.isEmpty())
        return this->text(QAccessible::Value);
    return text;
}

QAccessible::State ComboBoxAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = comboBox()->isEditable();
    s.expandable = true;
    s.expanded = comboBox()->view()->isVisible();
    return s;
}

int ComboBoxAccessible::childCount() const
{
    return comboBox()->isEditable() ? 2 : 1;
}

QAccessibleInterface* ComboBoxAccessible::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(comboBox()->view());
    if (index == 1 && comboBox()->isEditable())
        return QAccessible::queryAccessibleInterface(comboBox()->lineEdit());
    return nullptr;
}

int ComboBoxAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (child->object() == comboBox()->view())
        return 0;
    if (comboBox()->isEditable() && child->object() == comboBox()->lineEdit())
        return 1;
    return -1;
}

QAccessibleInterface* ComboBoxAccessible::focusChild() const
{
    // An editable box is its edit line's focus proxy: the line is what the user types into.
    return comboBox()->isEditable() ? child(1) : nullptr;
}

QStringList ComboBoxAccessible::actionNames() const
{
    return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
}

void ComboBoxAccessible::doAction(const QString& actionName)
{
    if (actionName != showMenuAction() && actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    if (comboBox()->view()->isVisible())
        comboBox()->hidePopup();
    else
        comboBox()->showPopup();
}

} // namespace discora
