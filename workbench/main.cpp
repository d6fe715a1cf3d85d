// The workbench program: parses the command line, opens a session and feeds it lines from
// standard input, with a "Command: " prompt unless it runs in batch mode.
#include "file_options.h"
#include "plugin_options.h"
#include "session.h"
#include "stdio_console.h"

#include "host/framework/CTqDesktop.h"
#include "host/framework/CTqMainFrame.h"
#include "host/framework/CTqSystemServicesImpl.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <csignal>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The one thing the interrupt handler may touch.
StdioConsole* g_interruptTarget = nullptr;

void onInterrupt(int)
{
    if (g_interruptTarget)
        g_interruptTarget->RequestBreak();
}

void installInterruptHandler(StdioConsole& console)
{
    g_interruptTarget = &console;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: an interrupt must end a pending read
    sigaction(SIGINT, &action, nullptr);
}

// ==== plugin manager options ====
struct HostRequests {
    bool window = false;
    bool protect = false;
    QString protectInput;
    QString protectOutput;
    // ==== file options ====
    bool protectSource = false;
    QString sourceInput;
    QString sourceOutput;
    // ==== end of file options ====
};

// Runs the session in a main window until the window closes.
int runWindow(const WorkbenchOptions& options)
{
    CTqDesktop* desktop = CTqDesktop::Current();
    if (!desktop) {
        std::fprintf(stderr, "workbench: a window needs the desktop\n");
        return 1;
    }
    const std::unique_ptr<CTqMainFrame> frame = desktop->CreateMainFrame(QStringLiteral("Keltora Workbench"));
    WorkbenchSession session(options, frame->Console());
    CTqSystemServicesImpl& system = CTqSystemServicesImpl::Instance();
    system.SetMainWindow(frame->Window());
    // QUIT belongs to the window: it ends the session.
    auto run = [&session, &frame](const QString& line) {
        if (line.trimmed().compare(QLatin1String("QUIT"), Qt::CaseInsensitive) == 0)
            frame->Close();
        else
            session.RunCommandLine(line);
    };
    system.Menus().AttachWindow(frame->Window(), run);
    frame->SetCommandRunner(run);
    frame->Show();
    QString error;
    if (!session.Open(error)) {
        std::fprintf(stderr, "workbench: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    session.RunStartupOptions();
    const int result = QCoreApplication::exec();
    system.Menus().AttachWindow(nullptr, nullptr);
    session.Close();
    system.SetMainWindow(nullptr);
    return result;
}
// ==== end of plugin manager options ====

WorkbenchOptions parseOptions(const QCoreApplication& app, HostRequests& requests)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Runs LISP and host commands against the module."));
    parser.addHelpOption();
    const QCommandLineOption batch(QStringLiteral("batch"),
                                   QStringLiteral("Read command lines from standard input without prompts."));
    const QCommandLineOption eval(QStringLiteral("eval"), QStringLiteral("Run TEXT as a command line (repeatable)."),
                                  QStringLiteral("TEXT"));
    const QCommandLineOption load(QStringLiteral("load"), QStringLiteral("Load the LISP FILE (repeatable)."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption appName(QStringLiteral("app-name"), QStringLiteral("The host's application name."),
                                     QStringLiteral("NAME"));
    const QCommandLineOption support(QStringLiteral("support"),
                                     QStringLiteral("A support folder searched for files (repeatable)."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption module(QStringLiteral("module"),
                                    QStringLiteral("The module file to load; empty for none."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption codePage(QStringLiteral("code-page"),
                                      QStringLiteral("The system code page: windows-1250 to -1258, 874, 932 (Shift-JIS), "
                                                     "936 (GBK), 949, 950; windows-1252 when not given."),
                                      QStringLiteral("NAME"));
    const QCommandLineOption heapLimit(QStringLiteral("heap-limit"),
                                       QStringLiteral("The most LISP nodes a program may hold (default 40000000)."),
                                       QStringLiteral("NODES"));
    parser.addOptions({batch, eval, load, appName, support, module, codePage, heapLimit});
    const QCommandLineOption save(QStringLiteral("save"),
                                  QStringLiteral("Save the drawing to the DXF FILE when the run ends."),
                                  QStringLiteral("FILE"));
    parser.addOption(save);
    parser.addPositionalArgument(QStringLiteral("drawing"), QStringLiteral("A DXF drawing to open."),
                                 QStringLiteral("[drawing.dxf]"));
    const PluginOptions pluginOptions;
    pluginOptions.AddTo(parser);
    const FileOptions fileOptions;
    fileOptions.AddTo(parser);
    parser.process(app);

    WorkbenchOptions options;
    options.batch = parser.isSet(batch);
    options.evalTexts = parser.values(eval);
    options.loadFiles = parser.values(load);
    if (parser.isSet(appName))
        options.applicationName = parser.value(appName);
    for (const QString& folder : parser.values(support))
        options.supportFolders << QFileInfo(folder).absoluteFilePath();
    if (parser.isSet(module))
        options.moduleFile = parser.value(module);
    if (parser.isSet(codePage))
        options.codePage = parser.value(codePage);
    if (parser.isSet(heapLimit)) {
        bool ok = false;
        const qulonglong nodes = parser.value(heapLimit).toULongLong(&ok);
        if (!ok || nodes < 100000 || nodes > 0xFFFFFFFFull) {
            std::fprintf(stderr, "workbench: --heap-limit takes a number of nodes from 100000 to 4294967295\n");
            std::exit(2);
        }
        options.heapLimit = std::uint32_t(nodes);
    }
    if (parser.positionalArguments().size() > 1) {
        std::fprintf(stderr, "workbench: one drawing at a time\n");
        std::exit(2);
    }
    if (!parser.positionalArguments().isEmpty())
        options.drawingFile = parser.positionalArguments().front();
    options.saveFile = parser.value(save);
    QString error;
    if (!pluginOptions.Read(parser, options, error)) {
        std::fprintf(stderr, "workbench: %s\n", error.toLocal8Bit().constData());
        std::exit(2);
    }
    requests.window = pluginOptions.WindowRequested(parser);
    requests.protect = pluginOptions.ProtectRequested(parser, requests.protectInput, requests.protectOutput);
    fileOptions.Read(parser, options);
    requests.protectSource = fileOptions.ProtectSourceRequested(parser, requests.sourceInput, requests.sourceOutput);
    return options;
}

bool windowRequested(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--window") == 0)
            return true;
    return false;
}

// Whether the run needs the widget platform: a main window, or a console run with a display on
// which message boxes and file dialogs can appear. Without a display they fall back to the
// console, so a core application serves; it starts without loading the desktop library and
// Qt's GUI and widget libraries, in about two thirds of the time.
bool needsWidgets(int argc, char** argv)
{
    if (windowRequested(argc, argv))
        return true;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return platform != "offscreen" && platform != "minimal";
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The application object. A run that needs widgets starts through the desktop library; when
// that library cannot be loaded, a window is impossible (the program ends with status 1), while
// a console run goes on as a core application whose message boxes and file dialogs ask on the
// console, and says so on standard error.
std::unique_ptr<QCoreApplication> startApplication(int& argc, char** argv)
{
    if (!needsWidgets(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    QString error;
    std::unique_ptr<QCoreApplication> app = CTqDesktop::StartApplication(argc, argv, error);
    if (app)
        return app;
    if (windowRequested(argc, argv)) {
        std::fprintf(stderr, "workbench: %s\n", error.toLocal8Bit().constData());
        std::exit(1);
    }
    std::fprintf(stderr, "workbench: %s; message boxes and file dialogs ask on the console\n",
                 error.toLocal8Bit().constData());
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

int main(int argc, char** argv)
{
    // Without a display the dialogs still need a platform; offscreen needs none.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app = startApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("workbench"));
    HostRequests requests;
    const WorkbenchOptions options = parseOptions(*app, requests);
    if (requests.protect) {
        QString error;
        if (!PluginOptions::ProtectPluginFile(requests.protectInput, requests.protectOutput, error)) {
            std::fprintf(stderr, "workbench: %s\n", error.toLocal8Bit().constData());
            return 1;
        }
        return 0;
    }
    if (requests.protectSource) {
        QString error;
        if (!FileOptions::ProtectSourceFile(requests.sourceInput, requests.sourceOutput, options.codePage, error)) {
            std::fprintf(stderr, "workbench: %s\n", error.toLocal8Bit().constData());
            return 1;
        }
        return 0;
    }
    if (requests.window)
        return runWindow(options);

    StdioConsole console;
    installInterruptHandler(console);
    WorkbenchSession session(options, console);
    QString error;
    if (!session.Open(error)) {
        std::fprintf(stderr, "workbench: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    session.RunStartupOptions();

    const QString prompt = options.batch ? QString() : QStringLiteral("Command: ");
    for (;;) {
        // Network replies and timers of the module arrive between command lines.
        QCoreApplication::processEvents();
        QString line;
        const StdioConsole::ReadResult read = console.Read(prompt, line);
        if (read == StdioConsole::ReadResult::End)
            break;
        if (read == StdioConsole::ReadResult::Interrupted) {
            console.Write(QStringLiteral("*Cancel*\n"));
            continue;
        }
        session.RunCommandLine(line);
    }
    console.EndLine();
    int status = 0;
    if (!options.saveFile.isEmpty()) {
        QString error;
        if (!session.SaveDrawing(options.saveFile, error)) {
            std::fprintf(stderr, "workbench: %s\n", error.toLocal8Bit().constData());
            status = 1;
        }
    }
    session.Close();
    // A console run leaves the application object to the end of the process: its destructor
    // reads the whole font configuration only to tear the platform down, a third of the time a
    // short program takes. Nothing is left to save once the session has closed.
    (void)app.release();
    return status;
}
