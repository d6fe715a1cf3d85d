// The main frame's menus and toolbars: the host's own menus, the menus and toolbars modules add,
// a text listing for hosts without a display, and the desktop's menus and toolbars when a window
// is attached.
#pragma once

#include "host/CTqMenuManager.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

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

    // Shows the menus and toolbars in the window (a main window of the desktop) from now on; an
    // entry that is triggered hands its command line to runCommand. Null detaches.
    void AttachWindow(QObject* window, std::function<void(const QString&)> runCommand);
    // Back to the host's own menus, without plugin menus and toolbars.
    void Reset();

    // Every menu and toolbar with its entries and their enabled state, one per line.
    QString Listing() const;

private:
    std::vector<CTqHostMenu> m_hostMenus;
    std::vector<CTqUiMenu> m_menus;
    std::vector<CTqUiToolbar> m_toolbars;
    QPointer<QObject> m_window;
    std::function<void(const QString&)> m_runCommand;
};
