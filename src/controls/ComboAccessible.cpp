#include "controls/ComboAccessible.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace {

QAccessibleInterface* comboFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("QComboBox") && object && object->isWidgetType()) {
        return new ComboAccessible(static_cast<QComboBox*>(object));
    }
    return nullptr;
}

} // namespace

ComboAccessible::ComboAccessible(QComboBox* combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox)
{
}

void ComboAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(comboFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QComboBox* ComboAccessible::combo() const
{
    return static_cast<QComboBox*>(widget());
}

QString ComboAccessible::text(QAccessible::Text t) const
{
    const QString chosen = combo()->isEditable() ? combo()->lineEdit()->text() : combo()->currentText();
    if (t == QAccessible::Value) {
        return chosen;
    }
    if (t == QAccessible::Name) {
        // The accessible name or the buddy label's text; without either, the entry.
        const QString name = QAccessibleWidget::text(t);
        return name.isEmpty() ? chosen : name;
    }
    return QAccessibleWidget::text(t);
}

// The popup list, and the typing field of an editable list.
int ComboAccessible::childCount() const
{
    return combo()->isEditable() ? 2 : 1;
}

QAccessibleInterface* ComboAccessible::child(int index) const
{
    if (index == 0) {
        return QAccessible::queryAccessibleInterface(combo()->view());
    }
    if (index == 1 && combo()->isEditable()) {
        return QAccessible::queryAccessibleInterface(combo()->lineEdit());
    }
    return nullptr;
}

int ComboAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child) {
        return -1;
    }
    if (child->object() == combo()->view()) {
        return 0;
    }
    if (combo()->isEditable() && child->object() == combo()->lineEdit()) {
        return 1;
    }
    return -1;
}

QStringList ComboAccessible::actionNames() const
{
    return QAccessibleWidget::actionNames() + QStringList{showMenuAction(), pressAction()};
}

void ComboAccessible::doAction(const QString& name)
{
    if (name != showMenuAction() && name != pressAction()) {
        QAccessibleWidget::doAction(name);
    } else if (combo()->view()->isVisible()) {
        combo()->hidePopup();
    } else {
        combo()->showPopup();
    }
}

QStringList ComboAccessible::keyBindingsForAction(const QString& name) const
{
    if (name == showMenuAction() || name == pressAction()) {
        return {QStringLiteral("Alt+Down")};
    }
    return QAccessibleWidget::keyBindingsForAction(name);
}
