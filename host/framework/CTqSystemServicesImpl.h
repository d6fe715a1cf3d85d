// The host's system services: the heads of the provider chains, the current document and the
// LISP services. GetTqSystemServices() returns Instance(); the host application fills it in.
#pragma once

#include "host/CTqSystemServices.h"

// ==== plugin manager services ====
#include "CTqMenuManagerImpl.h"
#include "CTqSettingsFile.h"

#include <QObject>
#include <QPointer>

#include <memory>
// ==== end of plugin manager services ====

class CTqSystemServicesImpl final : public CTqSystemServices {
public:
    static CTqSystemServicesImpl& Instance();

    CTqSystemServicesImpl();
    ~CTqSystemServicesImpl() override;
    CTqSystemServicesImpl(const CTqSystemServicesImpl&) = delete;
    CTqSystemServicesImpl& operator=(const CTqSystemServicesImpl&) = delete;

    CTqLispProvider* LispProvider() const override { return m_lispProvider; }
    void SetLispProvider(CTqLispProvider* provider) override { m_lispProvider = provider; }
    CTqMFCUIProvider* MFCUIProvider() const override { return m_uiProvider; }
    void SetMFCUIProvider(CTqMFCUIProvider* provider) override { m_uiProvider = provider; }

    CTqDocument* CurrentDocument() override { return m_document; }
    CTqLispServices* LispServices() override { return m_lispServices; }
    // Neither object is owned; the application clears them before it destroys them.
    void SetCurrentDocument(CTqDocument* document) { m_document = document; }
    void SetLispServices(CTqLispServices* services) { m_lispServices = services; }

    // ==== plugin manager services ====================================================================
    bool GetSettingString(const CTqString& section, const CTqString& key, CTqString& value) override;
    void SetSettingString(const CTqString& section, const CTqString& key, const CTqString& value) override;
    // Made on first use; needs the application object.
    QNetworkAccessManager* NetworkAccess() override;
    void GetCoreVersion(int& major, int& minor) override;
    CTqString LanguageFolder() override { return m_languageFolder; }
    // The executable's folder unless the application names another.
    CTqString ApplicationFolder() override;
    std::vector<CTqDocument*> Documents() override;
    short LoadLispFile(CTqDocument* document, const CTqString& path) override;
    void SetDllDirectory(const CTqString& folder) override;
    bool DecodeProtectedPlugin(const QByteArray& content, QByteArray& xml) override;
    CTqMenuManager* MenuManager() override { return &m_menus; }
    // The main window's widget; null without one or without the desktop.
    QWidget* MainWindow() override;
    void SetPluginReportSource(CTqPluginReportSource* source) override { m_reportSource = source; }
    CTqPluginReportSource* PluginReportSource() override { return m_reportSource; }

    // The settings file lives in this folder from now on ("settings.json"); empty keeps the
    // settings in memory only.
    void SetSettingsFolder(const QString& folder);
    QString SettingsFolder() const { return m_settingsFolder; }
    CTqSettingsFile& Settings() { return m_settings; }
    void SetCoreVersion(int major, int minor);
    void SetLanguageFolder(const CTqString& folder) { m_languageFolder = folder; }
    void SetApplicationFolder(const QString& folder) { m_applicationFolder = folder; }
    // The host's main window (a widget of the desktop); null when there is none.
    void SetMainWindow(QObject* window) { m_mainWindow = window; }
    CTqMenuManagerImpl& Menus() { return m_menus; }
    // ==== end of plugin manager services =============================================================

private:
    // ==== plugin manager services ====
    CTqSettingsFile m_settings;
    QString m_settingsFolder;
    std::unique_ptr<QNetworkAccessManager> m_network;
    int m_coreMajor = 18;
    int m_coreMinor = 0;
    CTqString m_languageFolder = CTqString("english");
    QString m_applicationFolder;
    CTqMenuManagerImpl m_menus;
    QPointer<QObject> m_mainWindow;
    CTqPluginReportSource* m_reportSource = nullptr;
    // ==== end of plugin manager services ====

    CTqLispProvider* m_lispProvider = nullptr;
    CTqMFCUIProvider* m_uiProvider = nullptr;
    CTqDocument* m_document = nullptr;
    CTqLispServices* m_lispServices = nullptr;
};
