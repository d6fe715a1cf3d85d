// What the plugin manager knows of one plugin: the values of its description file, its modules
// and user-interface files, its state flags and the update its feed offers.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <vector>

enum class ModuleKind : int {
    Arx = 1,
    Lisp = 2,  // ".lsp" and ".mnl"
    Dll = 4,
    Tx = 8,
};

struct PluginModule {
    QString fileName;  // as the description names it
    QString name;      // kind 8: the file name without the version suffix and ".tx"
    QString path;      // plugins folder + plugin folder + file name
    ModuleKind kind = ModuleKind::Lisp;
    bool onLoad = false;
    bool loaded = false;
};

// The newest release a feed offers that this host can run.
struct PluginUpdate {
    QString title;
    QString version;
    QString releaseNotesUrl;
    QString downloadUrl;
    QString edSignature;  // base64 Ed25519 signature of the download; empty when unsigned
    qint64 length = 0;    // announced size; 0 when unknown
};

struct PluginRecord {
    int index = 0;  // the plugin's number in the log
    QString descriptionPath;
    QString name;
    QString version;
    QString authorName;
    QString authorMail;
    QString authorWebsite;
    QString description;
    QString logo;
    QString appcastUrl;
    QString core;
    QString guid;
    QMap<QString, QString> settings;
    bool needsMfc = false;
    std::vector<PluginModule> modules;
    QStringList userInterfaceFiles;
    QString folderName;  // the description's base name and "/"

    // State flags.
    bool readOk = false;
    bool loadOnStartup = false;
    bool isNew = false;
    bool versionMatches = false;
    bool failedToLoad = false;
    bool loaded = false;
    bool hasUpdate = false;
    PluginUpdate update;

    bool HasModuleOfKind(ModuleKind kind) const
    {
        for (const PluginModule& module : modules) {
            if (module.kind == kind)
                return true;
        }
        return false;
    }
    // Plugins that may be loaded at all: read, for this host, and not failed in this run.
    bool Loadable() const { return readOk && versionMatches && !failedToLoad; }
};
