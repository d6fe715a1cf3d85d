// Menus and toolbars of a main window.
#include "TqMenuBar.h"

#include "host/CTqMenuManager.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>

namespace {

// Marks the toolbars made here, so that the next call replaces them and no others.
constexpr char kShownToolbar[] = "tqMenuManagerToolbar";

using Trigger = std::function<void(const QString&)>;

void Connect(QAction* action, QObject* context, const Trigger& trigger, const QString& command)
{
    QObject::connect(action, &QAction::triggered, context, [trigger, command] {
        if (trigger)
            trigger(command);
    });
}

void FillMenu(QMenu* menu, const std::vector<CTqUiEntry>& entries, bool enabled, const Trigger& trigger)
{
    for (const CTqUiEntry& entry : entries) {
        const bool shown = enabled && entry.enabled;
        if (!entry.children.empty()) {
            QMenu* sub = menu->addMenu(entry.text.toQString());
            sub->setEnabled(shown);
            FillMenu(sub, entry.children, shown, trigger);
            continue;
        }
        QAction* action = menu->addAction(entry.text.toQString());
        action->setObjectName(entry.id.toQString());
        action->setStatusTip(entry.description.toQString());
        action->setEnabled(shown);
        Connect(action, menu, trigger, entry.command.toQString());
    }
}

void FillToolbar(QToolBar* toolbar, const std::vector<CTqUiEntry>& entries, bool enabled, const Trigger& trigger)
{
    for (const CTqUiEntry& entry : entries) {
        const bool shown = enabled && entry.enabled;
        if (!entry.children.empty()) {
            toolbar->addSeparator();
            FillToolbar(toolbar, entry.children, shown, trigger);
            continue;
        }
        QAction* action = toolbar->addAction(entry.text.toQString());
        action->setObjectName(entry.id.toQString());
        action->setToolTip(entry.description.isEmpty() ? entry.text.toQString() : entry.description.toQString());
        action->setEnabled(shown);
        Connect(action, toolbar, trigger, entry.command.toQString());
    }
}

void ShowMenuBar(QMainWindow& window, const CTqMenuManager& menus, const Trigger& trigger)
{
    QMenuBar* bar = window.menuBar();
    bar->clear();
    const std::vector<CTqHostMenu> hostMenus = menus.HostMenus();
    const std::vector<CTqUiMenu> pluginMenus = menus.Menus();
    for (const CTqHostMenu& host : hostMenus) {
        QMenu* menu = bar->addMenu(host.text.toQString());
        menu->setObjectName(host.id.toQString());
        FillMenu(menu, host.entries, true, trigger);
        for (const CTqUiMenu& plugin : pluginMenus) {
            if (plugin.base.compareNoCase(host.id) != 0)
                continue;
            QMenu* sub = menu->addMenu(plugin.name.toQString());
            sub->setEnabled(plugin.enabled);
            FillMenu(sub, plugin.entries, plugin.enabled, trigger);
        }
    }
    for (const CTqUiMenu& plugin : pluginMenus) {
        const bool extendsHost = std::any_of(hostMenus.begin(), hostMenus.end(), [&](const CTqHostMenu& host) {
            return plugin.base.compareNoCase(host.id) == 0;
        });
        if (extendsHost)
            continue;
        QMenu* menu = bar->addMenu(plugin.name.toQString());
        menu->setEnabled(plugin.enabled);
        FillMenu(menu, plugin.entries, plugin.enabled, trigger);
    }
}

void ShowToolbars(QMainWindow& window, const CTqMenuManager& menus, const Trigger& trigger)
{
    for (QToolBar* shown : window.findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!shown->property(kShownToolbar).toBool())
            continue;
        window.removeToolBar(shown);
        delete shown;
    }
    for (const CTqUiToolbar& plugin : menus.Toolbars()) {
        auto* toolbar = new QToolBar(plugin.name.toQString(), &window);
        toolbar->setProperty(kShownToolbar, true);
        toolbar->setObjectName(plugin.owner.toQString() + QLatin1Char('/') + plugin.name.toQString());
        toolbar->setMovable(plugin.movable);
        toolbar->setEnabled(plugin.enabled);
        const bool vertical = plugin.orientation.compareNoCase(CTqString("vertical")) == 0;
        window.addToolBar(vertical ? Qt::LeftToolBarArea : Qt::TopToolBarArea, toolbar);
        FillToolbar(toolbar, plugin.entries, plugin.enabled, trigger);
    }
}

}  // namespace

void ShowMenusInWindow(QMainWindow& window, const CTqMenuManager& menus, const Trigger& trigger)
{
    ShowMenuBar(window, menus, trigger);
    ShowToolbars(window, menus, trigger);
}
