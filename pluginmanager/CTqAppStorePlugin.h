// The plugin manager: finds plugin description files, keeps the plugin records and their log,
// loads and unloads plugins with their modules and user-interface files, keeps the start-up
// flags in the host's settings store and checks the update feeds.
#pragma once

#include "host/CTqSystemServices.h"
#include "pluginmanager/CTqAppCast.h"
#include "pluginmanager/host_mode.h"
#include "pluginmanager/plugin_export.h"
#include "pluginmanager/plugin_log.h"
#include "pluginmanager/plugin_record.h"
#include "pluginmanager/ui_definition.h"

#include <QObject>

#include <functional>
#include <vector>

class CTqDocument;

class PLUGINMANAGER_EXPORT CTqAppStorePlugin : public QObject, public CTqPluginReportSource {
    Q_OBJECT

public:
    // The settings section and the keys of the manager's own values.
    static constexpr const char* kSection = "appstore";
    static constexpr const char* kFeedTimeoutKey = "FeedTimeout";        // seconds, may have a fraction
    static constexpr const char* kManagerFeedKey = "ManagerFeedUrl";     // the manager's own feed
    static constexpr const char* kUpdatePublicKeyKey = "UpdatePublicKey";  // base64 Ed25519 key
    // The plugin setting naming the Ed25519 key its updates are signed with.
    static constexpr const char* kPluginPublicKeyProperty = "SUPublicEDKey";
    static constexpr double kDefaultFeedTimeout = 45.0;

    // The module's manager, made on first use.
    static CTqAppStorePlugin& Instance();
    // Destroys the module's manager; the next Instance() makes a new one.
    static void DestroyInstance();

    CTqAppStorePlugin();
    ~CTqAppStorePlugin() override;

    void SetMode(HostMode mode) { m_mode = mode; }
    HostMode Mode() const { return m_mode; }

    // ---- discovery and descriptions -------------------------------------------------------------
    // The host application's folder followed by "/../Plugins".
    QString PluginsFolder() const;
    // Parses every description of the plugins folder; the read ones (in the developer host mode
    // all) in listing order.
    std::vector<PluginRecord> Discover();
    PluginRecord ParseDescription(const QString& path);

    // ---- the log ----------------------------------------------------------------------------------
    // Appends the code's text with %1 replaced; plugin 0 stands for the current plugin. Codes of
    // 1000 and above are dropped outside the developer host mode.
    void Log(int code, const QString& argument, int plugin = 0, bool optional = false);
    void LogLine(const QString& text, LogSeverity severity, int plugin);
    const PluginLog& LogBook() const { return m_log; }
    QString LogTextFor(int pluginIndex) const { return m_log.TextFor(pluginIndex); }

    // ---- loading ------------------------------------------------------------------------------------
    // Discovers, reads the flags, loads the start-up plugins and installs the user-interface
    // files; runs once.
    void InitializePlugins();
    bool LoadPlugin(PluginRecord& record, bool atStartup);
    bool UnloadPlugin(PluginRecord& record, bool keepStoredFlag);
    void ApplyUserInterface(const PluginRecord& record, bool enabled);
    // Host closing: writes every start-up flag, shows the plugins' menus disabled and removes
    // the plugins' command groups.
    void StoreAllStartupFlags();
    // Loads the start-up plugins' LISP modules into the new document, then starts a pending feed
    // check.
    void OnDocumentCreated(CTqDocument* document);
    // Module unload: unloads every plugin keeping its stored flag, takes the menus away and
    // stops the feeds.
    void UnloadAll();

    // The dialog's Enable: sets load on start-up and loads. False when the plugin cannot load.
    bool EnablePlugin(PluginRecord& record);
    // The dialog's Disable: clears load on start-up and unloads. notice receives the text to show
    // when the plugin has LISP modules.
    bool DisablePlugin(PluginRecord& record, QString* notice);

    std::vector<PluginRecord>& Records() { return m_records; }
    PluginRecord* RecordByIndex(int index);

    // ---- update feeds -----------------------------------------------------------------------------
    bool FeedCheckPending() const { return m_feedPending; }
    void SetFeedCheckPending(bool pending) { m_feedPending = pending; }
    // The manager's own feed (developer host mode only), then each plugin's.
    QStringList FeedAddresses() const;
    void StartFeedCheck();
    CTqAppCast& AppCast() { return m_appCast; }
    // Marks plugins with updates and stores the versions the user is told about; the number of
    // updates the user was not told about before.
    int EvaluateFeeds();
    double FeedTimeout() const;

    // Asks whether to open the manager after count new updates; true opens it. Without a window
    // the default prints the news and answers no; so it does when the dialogs library cannot be
    // loaded, and prints and logs why.
    std::function<bool(int count)> announce;
    // Opens the manager dialog; the default shows the dialogs library's manager dialog modally.
    std::function<void()> openDialog;

    // ---- settings -----------------------------------------------------------------------------
    bool ReadPluginSetting(const QString& plugin, const char* suffix, QString& value) const;
    void WritePluginSetting(const QString& plugin, const char* suffix, const QString& value);
    QString HostSetting(const char* key) const;

    // Every plugin with its flags and log lines, as the dialog's log tab shows them.
    CTqString PluginReport() const override;

signals:
    void signalPluginsChanged();

public slots:
    void mainAppCastFinished();

private:
    bool RequestMfcBridge();
    QString FindUserInterfaceFile(const PluginRecord& record, const QString& file) const;
    bool LoadLispModules(PluginRecord& record, const std::vector<CTqDocument*>& documents);
    void DefaultAnnounce(int count);

    HostMode m_mode = HostMode::Plain;
    std::vector<PluginRecord> m_records;
    int m_current = -1;
    int m_counter = 0;
    PluginLog m_log;
    UiRegistry m_ui;
    CTqAppCast m_appCast;
    bool m_initialized = false;
    bool m_feedPending = false;
    int m_mfcRequests = 0;
};
