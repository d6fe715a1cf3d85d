// One workbench session: the host services, the module, one document and its LISP engine, and
// the command line that feeds them. The host's registries are process-wide, so one session is
// open at a time.
#pragma once

#include "host/framework/CTqConsoleUserIO.h"

#include <QString>
#include <QStringList>

#include <memory>

class CTqConsole;
class CTqDocumentImpl;
class OdDbDatabase;
class WorkbenchDrawingCommands;
class CTqHostCommands;
class CTqLISP;
class CTqLispProvider;
class CTqWorkbenchLispServices;

struct WorkbenchOptions {
    QString applicationName = QStringLiteral("Keltora Workbench");
    QStringList supportFolders;
    // Loaded through the dynamic linker; empty runs the host alone, without LISP.
    QString moduleFile = QStringLiteral("ZIRuvezidoRed_4.01_14.tx");
    // Where relative file names are looked for first; the working folder when empty.
    QString currentFolder;
    // The system code page of the host's operating-system layer (CTqCodePage::Select names).
    QString codePage = QStringLiteral("windows-1252");
    // The most nodes the engine's heap may hold; 0 keeps the host's default.
    std::uint32_t heapLimit = 0;
    bool batch = false;
    QStringList evalTexts;
    QStringList loadFiles;
    // A DXF drawing to open; empty starts with a new drawing.
    QString drawingFile;
    // Where main saves the drawing at the end of the run; empty for no save.
    QString saveFile;
    // ==== plugin manager options ====
    // The host application's folder; the "Plugins" folder lies beside it. Empty: the program's.
    QString applicationFolder;
    // The core version the host reports to plugins.
    int coreMajor = 18;
    int coreMinor = 0;
    // Where the host keeps its settings file; empty keeps settings in memory for this run.
    QString settingsFolder;
    // The folder name of the user-interface language.
    QString languageFolder = QStringLiteral("english");
    // ==== end of plugin manager options ====
    // ==== file options ====
    // Where relative file names of LISP programs lead; empty: the user's documents folder.
    QString documentsFolder;
    // The program help files are handed to; empty: the desktop's viewer.
    QString helpViewer;
    // The host's default help file; empty: the application's own, when it has one.
    QString helpFile;
    // ==== end of file options ====
};

class WorkbenchSession {
public:
    // The console must outlive the session.
    WorkbenchSession(WorkbenchOptions options, CTqConsole& console);
    // Closes the session when it is still open.
    ~WorkbenchSession();
    WorkbenchSession(const WorkbenchSession&) = delete;
    WorkbenchSession& operator=(const WorkbenchSession&) = delete;

    // Reads the options' drawing, names the host, makes the LISP services, loads the module,
    // registers the drawing commands, opens one document with the drawing (a new one without a
    // drawing file) and starts its engine (with the start-up file). False with the reason when
    // the drawing cannot be read, the module cannot be loaded or another session is open;
    // nothing stays set up then. A module that offers no LISP
    // provider (a host name it does not serve) leaves the session open without an engine.
    bool Open(QString& error);
    // Runs one command line: a line starting with "(" or "!" is LISP for the engine, any other
    // first word names a command of the command stack. Output ends with a line break.
    void RunCommandLine(const QString& line);
    // Runs the options' files to load, then their texts to evaluate, each as a command line.
    void RunStartupOptions();
    // Writes the document's drawing to a DXF file. False with the reason on failure; an existing
    // file is left as it was then.
    bool SaveDrawing(const QString& path, QString& error);
    // Closes the engine, tells the reactors the main frame closes and unloads the module.
    void Close();

    bool IsOpen() const { return m_open; }
    // The document's engine; null before Open, after Close, and without a LISP provider.
    CTqLISP* Engine() const { return m_engine; }
    CTqDocumentImpl* Document() const { return m_document.get(); }
    CTqWorkbenchLispServices* LispServices() const { return m_lispServices.get(); }
    const WorkbenchOptions& Options() const { return m_options; }

    // The command line that loads a LISP file: (load "path") with the path's backslashes and
    // quotes escaped.
    static QString LoadCommandLine(const QString& path);

private:
    void RunLisp(const QString& line);
    void RunCommand(const QString& name);

    WorkbenchOptions m_options;
    CTqConsole& m_console;
    CTqConsoleUserIO m_userIO;
    std::unique_ptr<CTqWorkbenchLispServices> m_lispServices;
    std::unique_ptr<CTqDocumentImpl> m_document;
    std::unique_ptr<WorkbenchDrawingCommands> m_drawingCommands;
    std::unique_ptr<CTqHostCommands> m_hostCommands;
    CTqLispProvider* m_provider = nullptr;
    CTqLISP* m_engine = nullptr;
    bool m_moduleLoaded = false;
    bool m_open = false;
};
