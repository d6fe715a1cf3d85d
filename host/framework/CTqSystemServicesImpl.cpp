// The process-wide system services.
#include "CTqSystemServicesImpl.h"

// ==== plugin manager services ====
#include "host/TqStatus.h"
#include "CTqDesktop.h"
#include "../os/CTqModuleSearchPath.h"
#include "../os/CTqProtectedPluginCodec.h"

#include <QDir>
#include <QNetworkAccessManager>
// ==== end of plugin manager services ====

CTqSystemServicesImpl& CTqSystemServicesImpl::Instance()
{
    static CTqSystemServicesImpl services;
    return services;
}

CTqSystemServices* GetTqSystemServices()
{
    return &CTqSystemServicesImpl::Instance();
}

// ==== plugin manager services ====================================================================

CTqSystemServicesImpl::CTqSystemServicesImpl() = default;
CTqSystemServicesImpl::~CTqSystemServicesImpl() = default;

QWidget* CTqSystemServicesImpl::MainWindow()
{
    CTqDesktop* desktop = CTqDesktop::Current();
    return desktop && m_mainWindow ? desktop->WidgetOf(m_mainWindow) : nullptr;
}

bool CTqSystemServicesImpl::GetSettingString(const CTqString& section, const CTqString& key, CTqString& value)
{
    QString text;
    if (!m_settings.Get(section, key, text))
        return false;
    value = text;
    return true;
}

void CTqSystemServicesImpl::SetSettingString(const CTqString& section, const CTqString& key, const CTqString& value)
{
    // A settings folder that cannot be written keeps the value for this run.
    (void)m_settings.Set(section, key, value);
}

void CTqSystemServicesImpl::SetSettingsFolder(const QString& folder)
{
    m_settingsFolder = folder;
    if (folder.isEmpty())
        m_settings.Close();
    else
        m_settings.Open(QDir(folder).filePath(QStringLiteral("settings.json")));
}

QNetworkAccessManager* CTqSystemServicesImpl::NetworkAccess()
{
    if (!m_network)
        m_network = std::make_unique<QNetworkAccessManager>();
    return m_network.get();
}

void CTqSystemServicesImpl::GetCoreVersion(int& major, int& minor)
{
    major = m_coreMajor;
    minor = m_coreMinor;
}

void CTqSystemServicesImpl::SetCoreVersion(int major, int minor)
{
    m_coreMajor = major;
    m_coreMinor = minor;
}

CTqString CTqSystemServicesImpl::ApplicationFolder()
{
    return m_applicationFolder.isEmpty() ? CTqModuleSearchPath::ExecutableFolder() : m_applicationFolder;
}

std::vector<CTqDocument*> CTqSystemServicesImpl::Documents()
{
    if (!m_document)
        return {};
    return {m_document};
}

short CTqSystemServicesImpl::LoadLispFile(CTqDocument* document, const CTqString& path)
{
    CTqLISP* engine = document ? document->GetLISP() : nullptr;
    if (!engine)
        return tq::kError;
    return engine->LoadFile(path);
}

void CTqSystemServicesImpl::SetDllDirectory(const CTqString& folder)
{
    CTqModuleSearchPath::SetDllDirectory(folder);
}

bool CTqSystemServicesImpl::DecodeProtectedPlugin(const QByteArray& content, QByteArray& xml)
{
    return CTqProtectedPluginCodec::Decode(content, xml);
}
// ==== end of plugin manager services =============================================================
