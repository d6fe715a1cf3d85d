// The workbench's file options: parsing, and the program itself producing protected sources
// and protected plugin files that load as their plain originals do, with relative names in the
// documents folder it is given.
#include "workbench/file_options.h"
#include "workbench/session.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/workbench_process.h"

namespace {

QString Write(const QString& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

}  // namespace

TEST(FileOptions, ValuesReachTheSessionOptions)
{
    QCommandLineParser parser;
    const FileOptions fileOptions;
    fileOptions.AddTo(parser);
    ASSERT_TRUE(parser.parse({QStringLiteral("workbench"), QStringLiteral("--documents"), QStringLiteral("/tmp/docs/"),
                              QStringLiteral("--help-viewer"), QStringLiteral("firefox"), QStringLiteral("--help-file"),
                              QStringLiteral("/opt/help/index.html"), QStringLiteral("--protect-source"), QStringLiteral("a.lsp,b.lsp")}));
    WorkbenchOptions options;
    fileOptions.Read(parser, options);
    EXPECT_EQ(options.documentsFolder, QStringLiteral("/tmp/docs"));
    EXPECT_EQ(options.helpViewer, QStringLiteral("firefox"));
    EXPECT_EQ(options.helpFile, QStringLiteral("/opt/help/index.html"));
    QString input;
    QString output;
    ASSERT_TRUE(fileOptions.ProtectSourceRequested(parser, input, output));
    EXPECT_EQ(input, QStringLiteral("a.lsp"));
    EXPECT_EQ(output, QStringLiteral("b.lsp"));
}

TEST(FileOptions, WithoutThemNothingIsSet)
{
    QCommandLineParser parser;
    const FileOptions fileOptions;
    fileOptions.AddTo(parser);
    ASSERT_TRUE(parser.parse({QStringLiteral("workbench")}));
    WorkbenchOptions options;
    fileOptions.Read(parser, options);
    EXPECT_TRUE(options.documentsFolder.isEmpty());
    EXPECT_TRUE(options.helpViewer.isEmpty());
    EXPECT_TRUE(options.helpFile.isEmpty());
    QString input;
    QString output;
    EXPECT_FALSE(fileOptions.ProtectSourceRequested(parser, input, output));
}

TEST(FileOptions, TheProgramProtectsASourceThatLoadsAsTheOriginal)
{
    QTemporaryDir folder;
    // Windows-1251 text with a byte-order mark-free first line, as programs come.
    const QString plain = Write(folder.path(), QStringLiteral("plain.lsp"), "(defun hello () (strcat \"\xCF\xF0\xE8\" \"!\"))\r\n(hello)\r\n");
    const QString sealed = QDir(folder.path()).filePath(QStringLiteral("sealed.lsp"));
    const WorkbenchRun made = RunWorkbench({QStringLiteral("--protect-source"), plain + QLatin1Char(',') + sealed, QStringLiteral("--code-page"),
                                      QStringLiteral("windows-1251")});
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    QFile check(sealed);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_FALSE(check.readAll().contains("defun"));

    const QStringList session = {QStringLiteral("--batch"), QStringLiteral("--module"),
                                 QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx"), QStringLiteral("--code-page"),
                                 QStringLiteral("windows-1251"), QStringLiteral("--settings-folder"), folder.path(),
                                 QStringLiteral("--documents"), folder.path()};
    const WorkbenchRun plainRun = RunWorkbench(session + QStringList{QStringLiteral("--eval"), QStringLiteral("(load \"%1\")").arg(plain)});
    const WorkbenchRun sealedRun = RunWorkbench(session + QStringList{QStringLiteral("--eval"), QStringLiteral("(load \"%1\")").arg(sealed)});
    ASSERT_EQ(plainRun.exitCode, 0) << plainRun.errors.toStdString();
    EXPECT_TRUE(plainRun.output.contains(QStringLiteral("\"При!\""))) << plainRun.output.toStdString();
    EXPECT_EQ(sealedRun.output, plainRun.output);
}

TEST(FileOptions, AProtectedPluginFileOfTheProgramLoadsAsTheOriginal)
{
    QTemporaryDir folder;
    const QString plain = Write(folder.path(), QStringLiteral("tool.lsp"), "(setq n 0)\n(repeat 4 (setq n (+ n 3)))\n");
    const QString sealed = QDir(folder.path()).filePath(QStringLiteral("tool.plg"));
    const WorkbenchRun made = RunWorkbench({QStringLiteral("--protect-plugin"), plain + QLatin1Char(',') + sealed});
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    const QStringList session = {QStringLiteral("--batch"), QStringLiteral("--module"),
                                 QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx"), QStringLiteral("--settings-folder"),
                                 folder.path(), QStringLiteral("--documents"), folder.path()};
    const WorkbenchRun plainRun = RunWorkbench(session + QStringList{QStringLiteral("--eval"), QStringLiteral("(load \"%1\")").arg(plain)});
    const WorkbenchRun sealedRun = RunWorkbench(session + QStringList{QStringLiteral("--eval"), QStringLiteral("(load \"%1\")").arg(sealed)});
    EXPECT_TRUE(plainRun.output.contains(QStringLiteral("\n12\n"))) << plainRun.output.toStdString();
    EXPECT_EQ(sealedRun.output, plainRun.output);
}

TEST(FileOptions, TheDocumentsOptionTakesRelativeNames)
{
    QTemporaryDir folder;
    const WorkbenchRun run = RunWorkbench({QStringLiteral("--batch"), QStringLiteral("--module"), QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx"),
                                     QStringLiteral("--settings-folder"), folder.path(), QStringLiteral("--documents"), folder.path(),
                                     QStringLiteral("--eval"), QStringLiteral("(progn (setq f (open \"note.txt\" \"w\")) (write-line \"kept\" f) (close f))")});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    QFile note(QDir(folder.path()).filePath(QStringLiteral("note.txt")));
    ASSERT_TRUE(note.open(QIODevice::ReadOnly));
    EXPECT_EQ(note.readAll(), QByteArray("kept\r\n"));
}

TEST(FileOptions, AProtectionThatCannotBeMadeEndsWithAReason)
{
    QTemporaryDir folder;
    const WorkbenchRun run = RunWorkbench({QStringLiteral("--protect-source"), QDir(folder.path()).filePath(QStringLiteral("missing.lsp,out.lsp"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Cannot read"))) << run.errors.toStdString();
}
