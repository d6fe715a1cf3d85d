// The menu manager's menus and toolbars as a main window's menu bar and toolbars.
#pragma once

#include <functional>

class CTqMenuManager;
class QMainWindow;
class QString;

// Replaces the window's menu bar and the toolbars an earlier call made with the manager's host
// menus (each with the plugin menus that extend it), the plugin menus of their own and the
// plugin toolbars. A triggered entry hands its command, as the menu holds it, to `trigger`.
void ShowMenusInWindow(QMainWindow& window, const CTqMenuManager& menus,
                       const std::function<void(const QString&)>& trigger);
