// The host's system services (provider chains and, later, settings, network and versions), its
// resources, and the document object commands run for.
#pragma once

#include "host/CTqLISP.h"
#include "host/CTqString.h"

#include <vector>

class CTqLispServices;
class OdDbDatabase;
class CTqMenuManager;
class QByteArray;
class QNetworkAccessManager;
class QWidget;

// One open drawing with its LISP engine.
class CTqDocument {
public:
    virtual ~CTqDocument() = default;
    // The document's engine; null before the host made one.
    virtual CTqLISP* GetLISP() = 0;
    // Marks a command as running for this document while LISP evaluates it.
    virtual void PushCommandToken(const CTqString& text) = 0;
    virtual void PopCommandToken() = 0;
    virtual std::vector<CTqString> CommandTokens() const = 0;
    // The folder of the drawing file; empty for an unsaved drawing.
    virtual CTqString Folder() const = 0;
    // The document's drawing database; null for a document without a drawing.
    virtual OdDbDatabase* Database() { return nullptr; }
};

// The user's side of a command: prompts and answers on the command line.
class CTqUserIO {
public:
    virtual ~CTqUserIO() = default;
    virtual void Print(const CTqString& text) = 0;
    virtual short GetString(const CTqString& prompt, CTqString& answer) = 0;
};

// ==== plugin manager services ====
// Describes every plugin a module manages, with its state flags and log, as plain text.
class CTqPluginReportSource {
public:
    virtual ~CTqPluginReportSource() = default;
    virtual CTqString PluginReport() const = 0;
};
// ==== end of plugin manager services ====

class CTqSystemServices {
public:
    virtual ~CTqSystemServices() = default;

    // The chains of providers. A module puts its provider at the head and keeps the previous
    // head to restore it when it unloads; the host asks the head.
    virtual CTqLispProvider* LispProvider() const = 0;
    virtual void SetLispProvider(CTqLispProvider* provider) = 0;
    virtual CTqMFCUIProvider* MFCUIProvider() const = 0;
    virtual void SetMFCUIProvider(CTqMFCUIProvider* provider) = 0;

    // The current document and the LISP services every engine of this host uses.
    virtual CTqDocument* CurrentDocument() = 0;
    virtual CTqLispServices* LispServices() = 0;

    // ==== plugin manager services ====================================================================
    // The settings store: strings by section and key, kept in a file of the host's settings folder.
    // False when the key is absent.
    virtual bool GetSettingString(const CTqString& section, const CTqString& key, CTqString& value) = 0;
    virtual void SetSettingString(const CTqString& section, const CTqString& key, const CTqString& value) = 0;
    // The host's network access; replies arrive as signals on the user-interface thread.
    virtual QNetworkAccessManager* NetworkAccess() = 0;
    // The host's core version.
    virtual void GetCoreVersion(int& major, int& minor) = 0;
    // The folder name of the current user-interface language, such as "english".
    virtual CTqString LanguageFolder() = 0;
    // The folder of the host application; the plugins folder lies beside it.
    virtual CTqString ApplicationFolder() = 0;
    // The open documents, the current one among them.
    virtual std::vector<CTqDocument*> Documents() = 0;
    // Loads a LISP file into the document's engine: tq::kNormal on success, tq::kError without
    // an engine, otherwise the engine's status.
    virtual short LoadLispFile(CTqDocument* document, const CTqString& path) = 0;
    // The folder searched first for modules while it is set; empty restores the default search.
    virtual void SetDllDirectory(const CTqString& folder) = 0;
    // Turns a protected plugin description into its XML text; false when it is not one or it is
    // damaged.
    virtual bool DecodeProtectedPlugin(const QByteArray& content, QByteArray& xml) = 0;
    // The main frame's menus and toolbars.
    virtual CTqMenuManager* MenuManager() = 0;
    // The parent for modal dialogs; null when the host has no window.
    virtual QWidget* MainWindow() = 0;
    // A module's account of its plugins, which hosts without a display print; null when none.
    virtual void SetPluginReportSource(CTqPluginReportSource* source) = 0;
    virtual CTqPluginReportSource* PluginReportSource() = 0;
    // ==== end of plugin manager services =============================================================
};

CTqSystemServices* GetTqSystemServices();

class CTqResources {
public:
    virtual ~CTqResources() = default;
    virtual CTqString GetApplicationName() const = 0;
};

CTqResources* GetTqResources();
