// The plugin manager: discovery, loading, start-up flags, user-interface files and feeds.
#include "pluginmanager/CTqAppStorePlugin.h"

#include "host/CTqLispServices.h"
#include "host/CTqMenuManager.h"
#include "host/OdEd.h"
#include "host/OdRx.h"
#include "host/TqStatus.h"
#include "pluginmanager/core_version.h"
#include "pluginmanager/plugin_description.h"
#include "pluginmanager/plugin_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <memory>

namespace {

constexpr qint64 kMaxDescriptionBytes = 4 * 1024 * 1024;

QString Tr(const char* text)
{
    return QCoreApplication::translate("CTqAppStorePlugin", text);
}

QString YesNo(bool value)
{
    return value ? Tr("Yes") : Tr("No");
}

std::unique_ptr<CTqAppStorePlugin>& InstanceSlot()
{
    static std::unique_ptr<CTqAppStorePlugin> instance;
    return instance;
}

CTqSystemServices* Services()
{
    return GetTqSystemServices();
}

}  // namespace

CTqAppStorePlugin& CTqAppStorePlugin::Instance()
{
    std::unique_ptr<CTqAppStorePlugin>& slot = InstanceSlot();
    if (!slot)
        slot = std::make_unique<CTqAppStorePlugin>();
    return *slot;
}

void CTqAppStorePlugin::DestroyInstance()
{
    InstanceSlot().reset();
}

CTqAppStorePlugin::CTqAppStorePlugin()
{
    connect(&m_appCast, &CTqAppCast::signalAppCastFinished, this, &CTqAppStorePlugin::mainAppCastFinished);
}

CTqAppStorePlugin::~CTqAppStorePlugin()
{
    m_appCast.Cancel();
}

// ==== discovery and descriptions ===================================================================

QString CTqAppStorePlugin::PluginsFolder() const
{
    CTqSystemServices* services = Services();
    const QString folder = services ? services->ApplicationFolder().toQString() : QString();
    // The same folder as "<application folder>/../Plugins", without the "..".
    return QDir::cleanPath(folder + QStringLiteral("/../Plugins"));
}

std::vector<PluginRecord> CTqAppStorePlugin::Discover()
{
    std::vector<PluginRecord> records;
    const QDir folder(PluginsFolder());
    const QString filter = m_mode == HostMode::Hexbrook ? QStringLiteral("*.plg") : QStringLiteral("*.xml");
    const QFileInfoList files = folder.entryInfoList({filter}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        PluginRecord record = ParseDescription(file.absoluteFilePath());
        if (record.readOk || (m_mode == HostMode::Workbench && record.index != 0))
            records.push_back(std::move(record));
    }
    return records;
}

PluginRecord CTqAppStorePlugin::ParseDescription(const QString& path)
{
    PluginRecord record;
    record.descriptionPath = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxDescriptionBytes) {
        Log(22, path);
        return record;
    }
    QByteArray content = file.readAll();
    if (m_mode == HostMode::Hexbrook) {
        QByteArray xml;
        CTqSystemServices* services = Services();
        if (!services || !services->DecodeProtectedPlugin(content, xml)) {
            Log(21, path);
            return record;
        }
        content = xml;
    }
    record.folderName = QFileInfo(path).completeBaseName() + QLatin1Char('/');
    record.index = ++m_counter;
    m_current = record.index;
    record.readOk = ReadPluginDescription(content, m_mode, PluginsFolder(), record,
                                          [this](int code, const QString& argument, bool optional) {
                                              Log(code, argument, 0, optional);
                                          });
    if (record.readOk)
        Log(20, path);
    else
        Log(21, path);
    m_current = -1;
    return record;
}

// ==== the log ======================================================================================

void CTqAppStorePlugin::Log(int code, const QString& argument, int plugin, bool optional)
{
    if (code >= 1000 && m_mode != HostMode::Workbench)
        return;
    QString text = PluginLog::CodeText(code);
    if (text.contains(QLatin1String("%1")))
        text = text.arg(argument);
    LogLine(text, PluginLog::CodeSeverity(code, optional), plugin);
}

void CTqAppStorePlugin::LogLine(const QString& text, LogSeverity severity, int plugin)
{
    m_log.Add(plugin == 0 ? m_current : plugin, severity, text);
}

// ==== settings =====================================================================================

bool CTqAppStorePlugin::ReadPluginSetting(const QString& plugin, const char* suffix, QString& value) const
{
    CTqSystemServices* services = Services();
    CTqString stored;
    if (!services || plugin.isEmpty()
        || !services->GetSettingString(CTqString(kSection), QStringLiteral("plg_") + plugin + QLatin1String(suffix),
                                       stored))
        return false;
    value = stored;
    return true;
}

void CTqAppStorePlugin::WritePluginSetting(const QString& plugin, const char* suffix, const QString& value)
{
    CTqSystemServices* services = Services();
    if (services && !plugin.isEmpty())
        services->SetSettingString(CTqString(kSection), QStringLiteral("plg_") + plugin + QLatin1String(suffix), value);
}

QString CTqAppStorePlugin::HostSetting(const char* key) const
{
    CTqSystemServices* services = Services();
    CTqString value;
    if (!services || !services->GetSettingString(CTqString(kSection), CTqString(key), value))
        return {};
    return value;
}

// ==== loading ======================================================================================

void CTqAppStorePlugin::InitializePlugins()
{
    if (m_initialized)
        return;
    m_initialized = true;
    m_records = Discover();

    int hostMajor = 0;
    int hostMinor = 0;
    CTqSystemServices* services = Services();
    if (services)
        services->GetCoreVersion(hostMajor, hostMinor);

    for (PluginRecord& record : m_records) {
        QString stored;
        record.loadOnStartup = ReadPluginSetting(record.name, "_sUp", stored)
            && stored.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        // Only a normal close writes the real flag back; a crash leaves "false".
        WritePluginSetting(record.name, "_sUp", QStringLiteral("false"));

        record.versionMatches = CoreVersionMatches(record.core, hostMajor, hostMinor);
        QString seen;
        record.isNew = !ReadPluginSetting(record.name, "_new", seen);
        if (record.isNew)
            WritePluginSetting(record.name, "_new", QStringLiteral("false"));

        const int plugin = record.index;
        LogLine(Tr("Initialize plugin %1.").arg(record.name), LogSeverity::Message, plugin);
        LogLine(Tr(" Config successfully read: %1").arg(YesNo(record.readOk)), LogSeverity::Message, plugin);
        LogLine(Tr(" Load on startup: %1").arg(YesNo(record.loadOnStartup)), LogSeverity::Message, plugin);
        LogLine(Tr(" New: %1").arg(YesNo(record.isNew)), LogSeverity::Message, plugin);
        LogLine(Tr(" Version matches: %1").arg(YesNo(record.versionMatches)), LogSeverity::Message, plugin);

        if (record.loadOnStartup && record.Loadable())
            LoadPlugin(record, true);
        else
            ApplyUserInterface(record, false);
    }

    if (CTqMenuManager* menus = services ? services->MenuManager() : nullptr) {
        menus->RemoveMenuEntries(CTqString("ID_MnTools"), CTqString("ID_MnZiRuvezidoRed"));
        menus->Refresh();
    }
    // The feeds are checked once the first document exists, so their news meets a full window.
    m_feedPending = m_mode != HostMode::Plain && !FeedAddresses().isEmpty();
    emit signalPluginsChanged();
}

bool CTqAppStorePlugin::RequestMfcBridge()
{
    CTqSystemServices* services = Services();
    CTqMFCUIProvider* provider = services ? services->MFCUIProvider() : nullptr;
    if (m_mfcRequests > 0) {
        ++m_mfcRequests;
        return true;
    }
    if (!provider || !provider->Load())
        return false;
    ++m_mfcRequests;
    return true;
}

bool CTqAppStorePlugin::LoadLispModules(PluginRecord& record, const std::vector<CTqDocument*>& documents)
{
    CTqSystemServices* services = Services();
    bool ok = true;
    for (const PluginModule& module : record.modules) {
        if (!module.onLoad || module.kind != ModuleKind::Lisp)
            continue;
        for (CTqDocument* document : documents) {
            if (!services || services->LoadLispFile(document, CTqString(module.path)) != tq::kNormal) {
                Log(2, module.fileName, record.index);
                ok = false;
            }
        }
    }
    return ok;
}

bool CTqAppStorePlugin::LoadPlugin(PluginRecord& record, bool atStartup)
{
    if (record.needsMfc && m_mode != HostMode::Plain && !RequestMfcBridge()) {
        Log(30, QString(), record.index);
        record.failedToLoad = true;
        return false;
    }
    m_current = record.index;
    CTqSystemServices* services = Services();
    OdRxDynamicLinker* linker = odrxDynamicLinker();
    bool ok = true;
    for (PluginModule& module : record.modules) {
        if (!module.onLoad)
            continue;
        if (module.kind == ModuleKind::Tx) {
            if (!QFileInfo(module.path).isFile()) {
                Log(7, module.path);
                ok = false;
                continue;
            }
            if (services)
                services->SetDllDirectory(CTqString(PluginsFolder() + QLatin1Char('/') + record.folderName));
            if (linker && linker->loadModule(CTqString(module.name), true)) {
                module.loaded = true;
            } else {
                Log(2, module.fileName);
                ok = false;
            }
        } else if (module.kind == ModuleKind::Lisp && !atStartup) {
            if (services) {
                for (CTqDocument* document : services->Documents()) {
                    if (services->LoadLispFile(document, CTqString(module.path)) != tq::kNormal) {
                        Log(2, module.fileName);
                        ok = false;
                    }
                }
            }
        }
    }

    if (ok) {
        record.loaded = true;
        ApplyUserInterface(record, true);
    } else {
        Log(10, record.name);
        record.failedToLoad = true;
        record.loadOnStartup = false;
        UnloadPlugin(record, true);
        ApplyUserInterface(record, false);
    }
    if (services)
        services->SetDllDirectory(CTqString());
    m_current = -1;
    emit signalPluginsChanged();
    return ok;
}

bool CTqAppStorePlugin::UnloadPlugin(PluginRecord& record, bool keepStoredFlag)
{
    if (!keepStoredFlag) {
        WritePluginSetting(record.name, "_sUp", record.loadOnStartup ? QStringLiteral("true") : QStringLiteral("false"));
        ApplyUserInterface(record, false);
    }
    bool ok = true;
    OdRxDynamicLinker* linker = odrxDynamicLinker();
    for (PluginModule& module : record.modules) {
        if (module.kind != ModuleKind::Tx || !module.loaded)
            continue;
        if (linker && linker->unloadModule(CTqString(module.name + QStringLiteral(".tx")))) {
            module.loaded = false;
        } else {
            Log(3, module.fileName, record.index);
            ok = false;
        }
    }
    record.loaded = false;
    emit signalPluginsChanged();
    return ok;
}

QString CTqAppStorePlugin::FindUserInterfaceFile(const PluginRecord& record, const QString& file) const
{
    CTqSystemServices* services = Services();
    const QString language = services ? services->LanguageFolder().toQString() : QString();
    const QString pluginFolder = PluginsFolder() + QLatin1Char('/') + record.folderName;
    QStringList candidates;
    if (!language.isEmpty())
        candidates << pluginFolder + language + QLatin1Char('/') + file;
    candidates << pluginFolder + QStringLiteral("english/") + file;
    // The plugin's own folder, without a language folder.
    candidates << pluginFolder + file;
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

void CTqAppStorePlugin::ApplyUserInterface(const PluginRecord& record, bool enabled)
{
    if (record.userInterfaceFiles.isEmpty() || record.name.isEmpty())
        return;
    std::vector<UiDefinitionFile> files;
    for (const QString& name : record.userInterfaceFiles) {
        const QString path = FindUserInterfaceFile(record, name);
        QFile file(path);
        if (path.isEmpty() || file.size() > kMaxDescriptionBytes || !file.open(QIODevice::ReadOnly))
            continue;
        UiDefinitionFile definition;
        if (ParseUiDefinition(file.readAll(), definition))
            files.push_back(std::move(definition));
    }
    m_ui.Apply(record.name, files, enabled);
}

void CTqAppStorePlugin::StoreAllStartupFlags()
{
    OdEdCommandStack* commands = odedRegCmds();
    for (PluginRecord& record : m_records) {
        WritePluginSetting(record.name, "_sUp", record.loadOnStartup ? QStringLiteral("true") : QStringLiteral("false"));
        ApplyUserInterface(record, false);
        // Plugins register their commands in a group named after the plugin.
        if (commands && !record.name.isEmpty())
            commands->removeGroup(CTqString(record.name));
    }
}

void CTqAppStorePlugin::OnDocumentCreated(CTqDocument* document)
{
    for (PluginRecord& record : m_records) {
        if (!record.loadOnStartup || !record.Loadable() || !document)
            continue;
        m_current = record.index;
        if (!LoadLispModules(record, {document})) {
            Log(10, record.name);
            record.failedToLoad = true;
            record.loadOnStartup = false;
            UnloadPlugin(record, true);
        }
        m_current = -1;
    }
    if (m_feedPending)
        StartFeedCheck();
}

void CTqAppStorePlugin::UnloadAll()
{
    m_appCast.Cancel();
    m_feedPending = false;
    for (PluginRecord& record : m_records)
        UnloadPlugin(record, true);
    m_ui.Clear();
    if (m_mfcRequests > 0) {
        CTqSystemServices* services = Services();
        if (CTqMFCUIProvider* provider = services ? services->MFCUIProvider() : nullptr)
            provider->Unload();
        m_mfcRequests = 0;
    }
}

bool CTqAppStorePlugin::EnablePlugin(PluginRecord& record)
{
    if (!record.Loadable() || record.loaded)
        return record.loaded;
    record.loadOnStartup = true;
    return LoadPlugin(record, false);
}

bool CTqAppStorePlugin::DisablePlugin(PluginRecord& record, QString* notice)
{
    if (notice && record.HasModuleOfKind(ModuleKind::Lisp))
        *notice = Tr("Plugin contains LISP modules. It will no longer be loaded on startup.");
    record.loadOnStartup = false;
    return UnloadPlugin(record, false);
}

PluginRecord* CTqAppStorePlugin::RecordByIndex(int index)
{
    for (PluginRecord& record : m_records) {
        if (record.index == index)
            return &record;
    }
    return nullptr;
}

// ==== update feeds =================================================================================

QStringList CTqAppStorePlugin::FeedAddresses() const
{
    QStringList addresses;
    if (m_mode == HostMode::Plain)
        return addresses;
    if (m_mode == HostMode::Workbench) {
        const QString own = HostSetting(kManagerFeedKey);
        if (!own.isEmpty())
            addresses << own;
    }
    for (const PluginRecord& record : m_records) {
        if (!record.appcastUrl.isEmpty())
            addresses << record.appcastUrl;
    }
    return addresses;
}

double CTqAppStorePlugin::FeedTimeout() const
{
    bool ok = false;
    const double seconds = HostSetting(kFeedTimeoutKey).toDouble(&ok);
    // Timers take milliseconds in an int: an hour is plenty for any feed or stalled download.
    return ok && seconds > 0 ? std::min(seconds, 3600.0) : kDefaultFeedTimeout;
}

void CTqAppStorePlugin::StartFeedCheck()
{
    m_feedPending = false;
    m_appCast.Start(FeedAddresses(), FeedTimeout());
}

int CTqAppStorePlugin::EvaluateFeeds()
{
    int hostMajor = 0;
    int hostMinor = 0;
    if (CTqSystemServices* services = Services())
        services->GetCoreVersion(hostMajor, hostMinor);

    int newUpdates = 0;
    for (PluginRecord& record : m_records) {
        if (!record.Loadable())
            continue;
        const AppCastItem* chosen = nullptr;
        std::vector<AppCastChannel> channels;
        if (!record.appcastUrl.isEmpty())
            channels = m_appCast.ChannelsOf(record.appcastUrl);
        for (const AppCastChannel& channel : channels) {
            for (const AppCastItem& item : channel.items) {
                if (item.version.compare(record.version, Qt::CaseInsensitive) > 0 && item.os == 0
                    && CoreVersionMatches(item.coreVersion, hostMajor, hostMinor))
                    chosen = &item;
            }
        }
        if (!chosen) {
            LogLine(Tr(" Updates found: No"), LogSeverity::Message, record.index);
            continue;
        }
        QString told;
        if (!ReadPluginSetting(record.name, "_pVer", told) || told.compare(chosen->version, Qt::CaseSensitive) < 0) {
            WritePluginSetting(record.name, "_pVer", chosen->version);
            ++newUpdates;
        }
        record.hasUpdate = true;
        record.update.title = chosen->title;
        record.update.version = chosen->version;
        record.update.releaseNotesUrl = chosen->releaseNotesLink;
        record.update.downloadUrl = chosen->url;
        record.update.edSignature = chosen->edSignature;
        record.update.length = chosen->length;
        LogLine(Tr(" Updates found: Yes"), LogSeverity::Message, record.index);
    }
    emit signalPluginsChanged();
    return newUpdates;
}

void CTqAppStorePlugin::mainAppCastFinished()
{
    const int count = EvaluateFeeds();
    if (count <= 0)
        return;
    if (announce) {
        if (announce(count) && openDialog)
            openDialog();
        return;
    }
    DefaultAnnounce(count);
}

void CTqAppStorePlugin::DefaultAnnounce(int count)
{
    const QString text = Tr("There are %2 new update(s) available.\nWould you like to open %1?")
                             .arg(Tr("Plugin Manager"))
                             .arg(count);
    CTqSystemServices* services = Services();
    QWidget* window = services ? services->MainWindow() : nullptr;
    CTqLispServices* lisp = services ? services->LispServices() : nullptr;
    QString error;
    const PluginDialogTable* dialogs = plugin_dialogs::CanShow(window) ? plugin_dialogs::Dialogs(error) : nullptr;
    if (!dialogs) {
        // Nobody can answer a box: the news goes to the command line.
        if (lisp) {
            lisp->PrintHtml(CTqString(Tr("There are %1 new update(s) available.\n").arg(count)).EncodeHTML());
            if (!error.isEmpty())
                lisp->PrintHtml(CTqString(error + QLatin1Char('\n')).EncodeHTML());
        }
        if (!error.isEmpty())
            LogLine(error, LogSeverity::Warning, -1);
        return;
    }
    if (!dialogs->askYesNo(window, Tr("Plugin Manager"), text))
        return;
    if (openDialog) {
        openDialog();
        return;
    }
    dialogs->showManager(*this, window);
}

// ==== report =======================================================================================

CTqString CTqAppStorePlugin::PluginReport() const
{
    QString out;
    if (m_records.empty())
        out += Tr("No plugins in %1.\n").arg(QDir::cleanPath(PluginsFolder()));
    for (const PluginRecord& record : m_records) {
        out += Tr("Plugin %1: %2 %3\n").arg(record.index).arg(record.name, record.version);
        out += Tr("  Description file: %1\n").arg(record.descriptionPath);
        out += Tr("  Read: %1, Load on startup: %2, New: %3, Version matches: %4, Failed to load: %5, Loaded: %6\n")
                   .arg(YesNo(record.readOk), YesNo(record.loadOnStartup), YesNo(record.isNew),
                        YesNo(record.versionMatches), YesNo(record.failedToLoad), YesNo(record.loaded));
        if (record.hasUpdate)
            out += Tr("  Update: %1\n").arg(record.update.version);
        for (const QString& line : m_log.TextFor(record.index).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            out += QStringLiteral("  ") + line + QLatin1Char('\n');
    }
    const QString general = m_log.TextFor(-1);
    if (!general.isEmpty()) {
        out += Tr("Outside any plugin:\n");
        for (const QString& line : general.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            out += QStringLiteral("  ") + line + QLatin1Char('\n');
    }
    return out;
}
