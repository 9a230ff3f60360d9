#include "app/Translation.h"

#include "app/IniFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>
#include <optional>
#include <vector>

namespace {

enum class Property { Caption, Hint, Item };

// A window or dialog whose components the keys name.
struct Root {
    QString Name;
    QObject* Object = nullptr;
    QHash<QString, QObject*> Components;
};

struct Target {
    QObject* Object = nullptr;
    Property Kind = Property::Caption;
    int Index = 0;
};

// The tab widget that shows the page, with the page's index.
QTabWidget* TabOwner(QWidget* page, int& index) {
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    auto* tabs = stack != nullptr ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    index = tabs != nullptr ? tabs->indexOf(page) : -1;
    return index >= 0 ? tabs : nullptr;
}

// The radio button of an item of a radio group (a group box with a button group).
QAbstractButton* RadioItem(QObject* group, int index) {
    auto* buttons = group->findChild<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly);
    return buttons != nullptr ? buttons->button(index) : nullptr;
}

// The target's current text; nullopt when the object has no such text.
std::optional<QString> TextOf(const Target& target) {
    QObject* object = target.Object;
    switch (target.Kind) {
    case Property::Caption:
        if (auto* menu = qobject_cast<QMenu*>(object))
            return menu->title();
        if (auto* action = qobject_cast<QAction*>(object))
            return action->text();
        if (auto* button = qobject_cast<QAbstractButton*>(object))
            return button->text();
        if (auto* label = qobject_cast<QLabel*>(object))
            return label->text();
        if (auto* group = qobject_cast<QGroupBox*>(object))
            return group->title();
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            int index = -1;
            if (QTabWidget* tabs = TabOwner(widget, index))
                return tabs->tabText(index);
            if (widget->isWindow())
                return widget->windowTitle();
        }
        return std::nullopt;
    case Property::Hint:
        if (auto* action = qobject_cast<QAction*>(object))
            return action->toolTip();
        if (auto* widget = qobject_cast<QWidget*>(object))
            return widget->toolTip();
        return std::nullopt;
    case Property::Item:
        if (auto* combo = qobject_cast<QComboBox*>(object)) {
            if (target.Index < combo->count())
                return combo->itemText(target.Index);
            return std::nullopt;
        }
        if (QAbstractButton* radio = RadioItem(object, target.Index))
            return radio->text();
        return std::nullopt;
    }
    return std::nullopt;
}

void SetTextOf(const Target& target, const QString& text) {
    QObject* object = target.Object;
    switch (target.Kind) {
    case Property::Caption:
        if (auto* menu = qobject_cast<QMenu*>(object))
            menu->setTitle(text);
        else if (auto* action = qobject_cast<QAction*>(object))
            action->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(object))
            button->setText(text);
        else if (auto* label = qobject_cast<QLabel*>(object)) {
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
        } else if (auto* group = qobject_cast<QGroupBox*>(object))
            group->setTitle(text);
        else if (auto* widget = qobject_cast<QWidget*>(object)) {
            int index = -1;
            if (QTabWidget* tabs = TabOwner(widget, index))
                tabs->setTabText(index, text);
            else if (widget->isWindow())
                widget->setWindowTitle(text);
        }
        break;
    case Property::Hint:
        if (auto* action = qobject_cast<QAction*>(object))
            action->setToolTip(text);
        else if (auto* widget = qobject_cast<QWidget*>(object))
            widget->setToolTip(text);
        break;
    case Property::Item:
        if (auto* combo = qobject_cast<QComboBox*>(object))
            combo->setItemText(target.Index, text);
        else if (QAbstractButton* radio = RadioItem(object, target.Index))
            radio->setText(text);
        break;
    }
}

// Every named object under root by its name (the first one in tree order),
// leaving out the dialogs that root owns: they have components of their own.
void CollectComponents(QObject* root, QHash<QString, QObject*>& components) {
    for (QObject* child : root->children()) {
        if (qobject_cast<QDialog*>(child) != nullptr)
            continue;
        if (!child->objectName().isEmpty() && !components.contains(child->objectName()))
            components.insert(child->objectName(), child);
        CollectComponents(child, components);
    }
}

// The target a key names, or nullopt when its component is missing.
std::optional<Target> Resolve(const QString& key, const Root& window,
                              const std::vector<Root>& dialogs) {
    static const QRegularExpression itemPattern(QStringLiteral("^Items->Strings\\[(\\d+)\\]$"));
    QStringList parts = key.split(QStringLiteral("->"));
    const Root* root = &window;
    if (parts.size() > 1) {
        for (const Root& dialog : dialogs) {
            if (parts.front() == dialog.Name) {
                if (dialog.Object == nullptr)
                    return std::nullopt;
                root = &dialog;
                parts.removeFirst();
                break;
            }
        }
    }
    Target target;
    QString property;
    if (parts.size() == 1) {
        target.Object = root->Object;
        property = parts.front();
    } else {
        target.Object = root->Components.value(parts.front());
        property = parts.mid(1).join(QStringLiteral("->"));
    }
    if (target.Object == nullptr)
        return std::nullopt;
    if (property == QLatin1String("Caption")) {
        target.Kind = Property::Caption;
    } else if (property == QLatin1String("Hint")) {
        target.Kind = Property::Hint;
    } else if (const auto match = itemPattern.match(property); match.hasMatch()) {
        target.Kind = Property::Item;
        target.Index = match.captured(1).toInt();
    } else {
        return std::nullopt;
    }
    return target;
}

} // namespace

void ApplyTexts(const IniFile& file, const QString& section, const QStringList& keys,
                QObject* window, const QList<std::pair<QString, QObject*>>& dialogs) {
    Root root{QString(), window, {}};
    CollectComponents(window, root.Components);
    std::vector<Root> roots;
    for (const auto& [name, dialog] : dialogs) {
        Root sub{name, dialog, {}};
        if (dialog != nullptr)
            CollectComponents(dialog, sub.Components);
        roots.push_back(std::move(sub));
    }
    for (const QString& key : keys) {
        const auto target = Resolve(key, root, roots);
        if (!target)
            continue;
        const auto current = TextOf(*target);
        if (!current)
            continue;
        SetTextOf(*target, file.ReadString(section, key, *current));
    }
}
