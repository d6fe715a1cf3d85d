// The menu and toolbar manager of the host's main frame. Modules add menus and toolbars tagged
// with an owner and take them back by owner; the host shows them in its window when it has one.
#pragma once

#include "host/CTqString.h"

#include <vector>

// One entry of a menu or toolbar: a command, or a nested menu or toolbar when it has children.
struct CTqUiEntry {
    CTqString id;
    CTqString text;
    CTqString command;  // the command line the entry runs; empty for a nested menu
    CTqString description;
    CTqString iconName;
    CTqString smallIconName;
    CTqString iconResource;
    bool enabled = true;
    std::vector<CTqUiEntry> children;
};

struct CTqUiMenu {
    CTqString owner;  // who added it; RemoveOwner takes it back
    CTqString name;
    CTqString type;
    CTqString base;  // the host menu it extends; a new top-level menu when the host has none of that id
    bool enabled = true;
    std::vector<CTqUiEntry> entries;
};

struct CTqUiToolbar {
    CTqString owner;
    CTqString name;
    CTqString base;
    CTqString orientation;
    int dockRow = 0;
    int dockColumn = 0;
    int rows = 1;
    int x = 0;
    int y = 0;
    bool onByDefault = false;
    bool movable = false;
    bool enabled = true;
    std::vector<CTqUiEntry> entries;
};

// A host menu as the main frame shows it: its own entries and the plugin menus extending it.
struct CTqHostMenu {
    CTqString id;
    CTqString text;
    std::vector<CTqUiEntry> entries;
};

class CTqMenuManager {
public:
    virtual ~CTqMenuManager() = default;

    // Adds a menu, replacing one of the same owner and name.
    virtual void SetMenu(const CTqUiMenu& menu) = 0;
    // Adds a toolbar, replacing one of the same owner and name.
    virtual void SetToolbar(const CTqUiToolbar& toolbar) = 0;
    // Removes every menu and toolbar of that owner; the number removed.
    virtual int RemoveOwner(const CTqString& owner) = 0;
    // Removes from the host menu menuId every entry whose id equals entryId without regard to
    // case; the number removed.
    virtual int RemoveMenuEntries(const CTqString& menuId, const CTqString& entryId) = 0;
    // Brings the window's menus and toolbars in line with the manager's state.
    virtual void Refresh() = 0;

    virtual std::vector<CTqHostMenu> HostMenus() const = 0;
    virtual std::vector<CTqUiMenu> Menus() const = 0;
    virtual std::vector<CTqUiToolbar> Toolbars() const = 0;
};
