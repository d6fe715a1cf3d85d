// A console run must start without Qt's GUI and widget libraries: the workbench, the host library
// and the module need neither, directly or through their dependencies, and a run without a
// display loads neither. Only the desktop library and the module's dialogs library need them.
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

const char* const kGuiLibraries[] = {"libQt5Gui", "libQt5Widgets"};

// Every library the dynamic linker would load with the binary, one per line.
QString LoadedWith(const QString& binary)
{
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {binary});
    if (!ldd.waitForFinished(30000) || ldd.exitCode() != 0)
        return QStringLiteral("<ldd failed: %1>").arg(QString::fromLocal8Bit(ldd.readAllStandardError()));
    return QString::fromLocal8Bit(ldd.readAllStandardOutput());
}

struct LoggedRun {
    int exitCode = -1;
    QString linkerLog;
};

// Runs the workbench with no display, no input and the dynamic linker's library log.
LoggedRun RunLogged(const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("libs"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KELTORA_BIN_DIR "/workbench"), arguments);
    process.closeWriteChannel();
    LoggedRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitCode();
    run.linkerLog = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

}  // namespace

TEST(ConsoleDependencies, TheCoreBinariesNeedNoGuiLibrary)
{
    for (const char* binary : {"workbench", "libtqhost.so", "ZIRuvezidoRed_4.01_14.tx"}) {
        const QString loaded = LoadedWith(QStringLiteral(KELTORA_BIN_DIR "/") + QLatin1String(binary));
        EXPECT_TRUE(loaded.contains(QLatin1String("libQt5Core"))) << binary << ": " << loaded.toStdString();
        for (const char* gui : kGuiLibraries)
            EXPECT_FALSE(loaded.contains(QLatin1String(gui))) << binary << " needs " << gui;
    }
}

TEST(ConsoleDependencies, TheWidgetHalvesNeedThem)
{
    for (const char* binary : {"libtqdesktop.so", "ZIRuvezidoRed_4.01_14_dialogs.so"}) {
        const QString loaded = LoadedWith(QStringLiteral(KELTORA_BIN_DIR "/") + QLatin1String(binary));
        for (const char* gui : kGuiLibraries)
            EXPECT_TRUE(loaded.contains(QLatin1String(gui))) << binary << ": " << loaded.toStdString();
    }
}

TEST(ConsoleDependencies, AConsoleRunLoadsNoGuiLibrary)
{
    const LoggedRun run = RunLogged({QStringLiteral("--batch")});
    ASSERT_EQ(run.exitCode, 0) << run.linkerLog.toStdString();
    ASSERT_TRUE(run.linkerLog.contains(QLatin1String("libQt5Core"))) << "the linker's log is there";
    EXPECT_TRUE(run.linkerLog.contains(QLatin1String("ZIRuvezidoRed_4.01_14.tx"))) << "the module is loaded";
    for (const char* library : {"libQt5Gui", "libQt5Widgets", "libtqdesktop", "_dialogs.so"})
        EXPECT_FALSE(run.linkerLog.contains(QLatin1String(library))) << library;
}

TEST(ConsoleDependencies, AWindowRunLoadsTheDesktop)
{
    // --help ends the run once the application object exists.
    const LoggedRun run = RunLogged({QStringLiteral("--window"), QStringLiteral("--help")});
    ASSERT_EQ(run.exitCode, 0) << run.linkerLog.toStdString();
    for (const char* library : {"libtqdesktop.so", "libQt5Widgets", "libQt5Gui"})
        EXPECT_TRUE(run.linkerLog.contains(QLatin1String(library))) << library;
}
