// The workbench host's services for files, environment values, the registry, programs, dialogs
// and help. CTqWorkbenchLispServices hands these operations of CTqLispServices to one object of
// this class, which keeps their settings: the documents folder, the settings folder (environment
// values and the registry file live there), the help viewer and the default help file.
#pragma once

#include "../os/CTqHelpViewer.h"
#include "../os/CTqRegistryStore.h"
#include "host/CTqLispServices.h"

#include <QString>
#include <QStringList>

class CTqConsole;

class CTqWorkbenchFileServices {
public:
    // The console (for dialogs without a display) must outlive the services.
    explicit CTqWorkbenchFileServices(CTqConsole& console);

    // The folder relative names lead to; the first documents location Qt reports (else the home
    // folder) when none is set.
    void SetDocumentsFolder(const QString& folder) { m_documentsFolder = folder; }
    QString DocumentsFolder() const;
    // Where the registry file ("registry.json") and the alias file lie; the settings store of
    // the system services, which keeps environment values, uses the same folder. Empty keeps
    // the registry in memory.
    void SetSettingsFolder(const QString& folder);
    const QString& SettingsFolder() const { return m_settingsFolder; }
    CTqRegistryStore& Registry() { return m_registry; }
    CTqHelpViewer& HelpViewer() { return m_helpViewer; }
    void SetDefaultHelpFile(const QString& file) { m_defaultHelpFile = file; }

    // The getenv folder keys from the application folder, the settings folder, the support
    // folders, the temporary folder and the documents folder:
    //   CADSYS, CADCMD  the application folder     CADCFG  the settings folder
    //   CADFONT         <application>/fonts        CADMNU  <application>/menus/
    //   CADSUP, CADDLG  the first support folder   CADTMP  the system's temporary folder
    //   CADHLP          <application>/help         CADDWG  the documents folder
    //   CADKEY          <settings>/alias.xml
    short GetFolderSetting(const CTqString& key, const QStringList& supportFolders, CTqString& value) const;

    // Environment values live in the section "Environment" of the settings store; a name the
    // store lacks is looked up in the process environment.
    short GetEnvironment(const CTqString& name, CTqString& value);
    short GetEnvironmentIn(const CTqString& group, const CTqString& section, const CTqString& name, CTqString& value);
    short SetEnvironment(const CTqString& name, const CTqString& value);

    short CopyFile(const CTqString& source, const CTqString& destination, bool append, std::int64_t& copied);
    short DeleteFile(const CTqString& name);
    short IsDirectory(const CTqString& name);
    short RenameFile(const CTqString& oldName, const CTqString& newName);
    short GetFileSize(const CTqString& name, std::int64_t& size);
    short GetFileTime(const CTqString& name, std::int32_t (&values)[8]);
    short FileNameBase(const CTqString& name, CTqString& base);
    short FileNameDirectory(const CTqString& name, CTqString& folder);
    short FileNameExtension(const CTqString& name, CTqString& extension);
    short MakeTempFileName(const CTqString& pattern, const CTqString& folder, const CTqString& extension, CTqString& name);
    short ListDirectory(const CTqString& folder, const CTqString& pattern, int mode, TqResultBuffer*& names);

    short RegistryRead(const CTqString& key, const CTqString& name, CTqLispServices::RegistryValue& value);
    short RegistryWrite(const CTqString& key, const CTqString& name, const CTqString& data);
    short RegistryDelete(const CTqString& key, const CTqString& name, bool deleteValue);
    short RegistryDescendents(const CTqString& key, bool valueNames, TqResultBuffer*& names);

    short StartProgram(const CTqString& commandLine, std::int32_t& result);
    short GetFileName(const CTqString& title, const CTqString& defaultName, const CTqString& extension, int flags,
                      CTqString& chosen);
    short ShowMessageBox(const CTqString& text, const CTqString& title, CTqLispServices::MessageIcon icon, bool& yes);
    // The file set with SetDefaultHelpFile; otherwise "<application>/help/workbench.html" when
    // it exists; otherwise none.
    CTqString DefaultHelpFile() const;
    short ShowHelp(const CTqString& file, const CTqString& topic, int command);
    short SetCommandHelp(const CTqString& command, const CTqString& file, const CTqString& topic, int helpCommand);

    short DecodeProtectedFile(const CTqString& path, QByteArray& content);
    short DecodeProtectedLine(const QByteArray& line, QByteArray& plain);

private:
    QString Resolve(const CTqString& name) const;

    CTqConsole& m_console;
    QString m_documentsFolder;
    QString m_settingsFolder;
    QString m_defaultHelpFile;
    CTqRegistryStore m_registry;
    CTqHelpViewer m_helpViewer;
};
