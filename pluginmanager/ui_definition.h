// User-interface definition files of plugins (definitions, menus and toolbars) and the
// process-wide registry that holds what the plugins installed and hands it to the host's menu
// manager.
#pragma once

#include "host/CTqMenuManager.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <map>
#include <vector>

struct UiDefinitionFile {
    QMap<QString, CTqUiEntry> definitions;  // by id
    std::vector<CTqUiMenu> menus;
    std::vector<CTqUiToolbar> toolbars;
};

// Parses a definition file; false when it is no XML or does not have exactly one "group"
// element. Entries that name an unknown definition are left out. Nesting deeper than a few
// levels is cut off.
bool ParseUiDefinition(const QByteArray& xml, UiDefinitionFile& file);

// The menus and toolbars plugins installed, by plugin, with their enabled state.
class UiRegistry {
public:
    // Replaces the plugin's files in the registry and installs them in the host's menu manager,
    // enabled or shown disabled; refreshes the host's menus.
    void Apply(const QString& plugin, const std::vector<UiDefinitionFile>& files, bool enabled);
    // Takes every menu and toolbar of the plugin out of the registry and the host.
    void Remove(const QString& plugin);
    void Clear();

    bool Contains(const QString& plugin) const { return m_plugins.count(plugin) != 0; }
    bool Enabled(const QString& plugin) const;
    // The definitions of all plugins, by id.
    CTqUiEntry Definition(const QString& id, bool* found = nullptr) const;

private:
    struct Installed {
        std::vector<UiDefinitionFile> files;
        bool enabled = false;
    };
    std::map<QString, Installed> m_plugins;
};
