// The main frame's menus and toolbars: the host's own menus, the menus and toolbars modules add,
// a text listing for hosts without a display, and real Qt menus and toolbars when a window is
// attached.
#pragma once

#include "host/CTqMenuManager.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class QMainWindow;
class QMenu;
class QToolBar;

class CTqMenuManagerImpl final : public CTqMenuManager {
public:
    // Starts with the host's own menus (ID_MnFile … ID_MnHelp).
    CTqMenuManagerImpl();

    void SetMenu(const CTqUiMenu& menu) override;
    void SetToolbar(const CTqUiToolbar& toolbar) override;
    int RemoveOwner(const CTqString& owner) override;
    int RemoveMenuEntries(const CTqString& menuId, const CTqString& entryId) override;
    void Refresh() override;

    std::vector<CTqHostMenu> HostMenus() const override { return m_hostMenus; }
    std::vector<CTqUiMenu> Menus() const override { return m_menus; }
    std::vector<CTqUiToolbar> Toolbars() const override { return m_toolbars; }

    // Shows the menus and toolbars in the window from now on; an entry that is triggered hands
    // its command to runCommand. Null detaches.
    void AttachWindow(QMainWindow* window, std::function<void(const QString&)> runCommand);
    // Back to the host's own menus, without plugin menus and toolbars.
    void Reset();

    // Every menu and toolbar with its entries and their enabled state, one per line.
    QString Listing() const;

private:
    void FillMenu(QMenu* menu, const std::vector<CTqUiEntry>& entries, bool enabled);
    void FillToolbar(QToolBar* toolbar, const std::vector<CTqUiEntry>& entries, bool enabled);

    std::vector<CTqHostMenu> m_hostMenus;
    std::vector<CTqUiMenu> m_menus;
    std::vector<CTqUiToolbar> m_toolbars;
    QPointer<QMainWindow> m_window;
    QList<QPointer<QToolBar>> m_shownToolbars;
    std::function<void(const QString&)> m_runCommand;
};
