// One workbench session: set-up, command-line dispatch and shutdown.
#include "session.h"

#include "drawing_commands.h"
#include "host/commands/CTqHostCommands.h"

#include "host/CTqLISP.h"
#include "host/OdEd.h"
#include "host/OdRx.h"
#include "host/framework/CTqConsole.h"
#include "host/framework/CTqDocumentImpl.h"
#include "host/framework/CTqResourcesImpl.h"
#include "host/framework/CTqSystemServicesImpl.h"
#include "host/lispservices/CTqWorkbenchLispServices.h"
#include "host/sdk/OdEdCommandContextImpl.h"
#include "host/sdk/db/OdDbDatabase.h"
#include "host/sdk/dxf/OdDxfReader.h"

#include <QDir>
#include <QFileInfo>
#include "host_commands.h"

namespace {

// The command name a line starts with: its first run of non-blank characters.
QString firstWord(const QString& line)
{
    const QString trimmed = line.trimmed();
    int end = 0;
    while (end < trimmed.size() && !trimmed[end].isSpace())
        ++end;
    return trimmed.left(end);
}

}  // namespace

WorkbenchSession::WorkbenchSession(WorkbenchOptions options, CTqConsole& console)
    : m_options(std::move(options)), m_console(console), m_userIO(console)
{
}

WorkbenchSession::~WorkbenchSession()
{
    Close();
}

bool WorkbenchSession::Open(QString& error)
{
    if (m_open) {
        error = QStringLiteral("The session is already open.");
        return false;
    }
    CTqSystemServicesImpl& system = CTqSystemServicesImpl::Instance();
    if (system.LispServices()) {
        error = QStringLiteral("Another session is open.");
        return false;
    }

    std::unique_ptr<OdDbDatabase> drawing;
    QString drawingPath;
    if (!m_options.drawingFile.isEmpty()) {
        drawingPath = QFileInfo(m_options.drawingFile).absoluteFilePath();
        OdDbReadError readError;
        drawing = OdDxfReader::readFile(drawingPath, readError);
        if (!drawing) {
            error = QStringLiteral("Cannot open %1: %2").arg(QDir::toNativeSeparators(m_options.drawingFile), readError.message);
            return false;
        }
    }

    CTqResourcesImpl::Instance().SetApplicationName(m_options.applicationName);
    m_lispServices = std::make_unique<CTqWorkbenchLispServices>(m_console);
    if (!m_lispServices->SelectCodePage(m_options.codePage)) {
        error = QStringLiteral("Unknown code page \"%1\".").arg(m_options.codePage);
        m_lispServices.reset();
        return false;
    }
    if (m_options.heapLimit != 0)
        m_lispServices->SetNodeLimit(m_options.heapLimit);
    m_lispServices->SetSupportFolders(m_options.supportFolders);
    m_lispServices->SetCurrentFolder(m_options.currentFolder);
    system.SetLispServices(m_lispServices.get());
    // ==== plugin manager options ====
    system.SetApplicationFolder(m_options.applicationFolder);
    system.SetSettingsFolder(m_options.settingsFolder);
    system.SetCoreVersion(m_options.coreMajor, m_options.coreMinor);
    system.SetLanguageFolder(m_options.languageFolder);
    RegisterWorkbenchCommands();
    // ==== end of plugin manager options ====
    // ==== file options ====
    CTqWorkbenchFileServices& files = m_lispServices->FileServices();
    files.SetDocumentsFolder(m_options.documentsFolder);
    files.SetSettingsFolder(m_options.settingsFolder);
    files.HelpViewer().SetViewerProgram(m_options.helpViewer);
    files.SetDefaultHelpFile(m_options.helpFile);
    // ==== end of file options ====

    if (!m_options.moduleFile.isEmpty()) {
        if (!odrxDynamicLinker()->loadModule(m_options.moduleFile, true)) {
            error = odrxDynamicLinker()->lastError().toQString();
            RemoveWorkbenchCommands();
            system.SetLispServices(nullptr);
            m_lispServices.reset();
            return false;
        }
        m_moduleLoaded = true;
    }
    m_open = true;
    odedEditor()->fireMainFrameReady();

    m_drawingCommands = std::make_unique<WorkbenchDrawingCommands>();
    m_hostCommands = std::make_unique<CTqHostCommands>();
    m_document = std::make_unique<CTqDocumentImpl>();
    if (drawing) {
        m_document->SetDatabase(std::move(drawing));
        m_document->SetFileName(drawingPath);
    }
    system.SetCurrentDocument(m_document.get());
    m_provider = system.LispProvider();
    if (m_provider)
        m_engine = m_provider->CreateLISP();
    if (m_engine) {
        m_document->SetLISP(m_engine);
        // A missing start-up file is not an error; the engine reports its own failures.
        (void)m_engine->Start(m_lispServices.get());
        (void)m_engine->DoStartup();
        m_console.EndLine();
    }
    odedEditor()->fireDocumentCreated(m_document.get());
    return true;
}

void WorkbenchSession::RunCommandLine(const QString& line)
{
    const QString name = firstWord(line);
    if (name.isEmpty())
        return;
    if (name.front() == QLatin1Char('(') || name.front() == QLatin1Char('!'))
        RunLisp(line);
    else
        RunCommand(name);
    m_console.EndLine();
}

void WorkbenchSession::RunStartupOptions()
{
    for (const QString& file : m_options.loadFiles)
        RunCommandLine(LoadCommandLine(file));
    for (const QString& text : m_options.evalTexts)
        RunCommandLine(text);
}

void WorkbenchSession::RunLisp(const QString& line)
{
    if (!m_engine) {
        m_console.Write(QStringLiteral("No LISP engine is available.\n"));
        return;
    }
    odedEditor()->fireLispWillStart(line);
    // The engine reports its own errors; the status adds nothing for the command line.
    (void)m_engine->EvaluateText(line, nullptr);
    odedEditor()->fireLispEnded();
}

void WorkbenchSession::RunCommand(const QString& name)
{
    CTqCommand* command = odedRegCmds()->lookupCmd(name);
    if (!command) {
        m_console.EndLine();
        m_console.Write(QStringLiteral("Unknown command \"%1\".\n").arg(name.toUpper()));
        return;
    }
    // A command may remove itself from the stack while it runs.
    command->addRef();
    OdEdCommandContextImpl context(m_document.get(), &m_userIO);
    odedEditor()->fireCommandWillStart(command);
    (void)command->execute(&context);
    odedEditor()->fireCommandEnded(command);
    command->release();
}

void WorkbenchSession::Close()
{
    if (!m_open)
        return;
    m_open = false;
    odedEditor()->fireDocumentToBeDestroyed(m_document.get());
    if (m_engine) {
        (void)m_engine->Close();
        m_document->SetLISP(nullptr);
        m_provider->DestroyLISP(m_engine);
        m_engine = nullptr;
        m_console.EndLine();
    }
    m_provider = nullptr;
    CTqSystemServicesImpl& system = CTqSystemServicesImpl::Instance();
    system.SetCurrentDocument(nullptr);
    m_document.reset();
    m_drawingCommands.reset();
    m_hostCommands.reset();

    odedEditor()->fireMainFrameClosing();
    if (m_moduleLoaded) {
        odrxDynamicLinker()->unloadModule(m_options.moduleFile);
        m_moduleLoaded = false;
    }
    // ==== plugin manager options ====
    RemoveWorkbenchCommands();
    system.Menus().Reset();
    system.SetApplicationFolder(QString());
    system.SetSettingsFolder(QString());
    // ==== end of plugin manager options ====
    system.SetLispServices(nullptr);
    m_lispServices.reset();
}

bool WorkbenchSession::SaveDrawing(const QString& path, QString& error)
{
    if (!m_document) {
        error = QStringLiteral("No drawing is open.");
        return false;
    }
    return WorkbenchDrawing::Save(*m_document, path, error);
}

QString WorkbenchSession::LoadCommandLine(const QString& path)
{
    QString escaped = path;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QStringLiteral("(load \"%1\")").arg(escaped);
}
