// Runs every transcript under tests/ through a workbench session, line by line, and checks the
// exact output. Every command line is also a leak check: afterwards each live node must be
// reachable from the engine's roots; after Close the heap must be empty.
#include "lisp/core/engine.h"
#include "support/scripted_console.h"
#include "support/transcript.h"
#include "workbench/session.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> TranscriptFiles()
{
    QStringList files;
    QDirIterator it(QStringLiteral(KELTORA_SOURCE_DIR "/tests"), {QStringLiteral("*.transcript")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    std::vector<std::string> result;
    for (const QString& name : files)
        result.push_back(name.toStdString());
    return result;
}

std::string TestName(const testing::TestParamInfo<std::string>& info)
{
    QString name = QDir(QStringLiteral(KELTORA_SOURCE_DIR "/tests")).relativeFilePath(QString::fromStdString(info.param));
    name.chop(QStringLiteral(".transcript").size());
    for (QChar& c : name)
        if (!c.isLetterOrNumber())
            c = QLatin1Char('_');
    return name.toStdString();
}

class Transcript : public testing::TestWithParam<std::string> {};

TEST_P(Transcript, ProducesExactOutputWithoutLeaks)
{
    const QString path = QString::fromStdString(GetParam());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << GetParam();
    const auto cases = ParseTranscript(QString::fromUtf8(file.readAll()));
    ASSERT_FALSE(cases.empty()) << "no command lines in " << GetParam();

    QTemporaryDir scratch;
    ScriptedConsole console;
    WorkbenchOptions options;
    options.batch = true;
    options.moduleFile = QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx");
    options.supportFolders = QStringList{QFileInfo(path).absolutePath()};
    options.currentFolder = scratch.path();
    // Relative file names, environment values and the registry stay in the scratch folder.
    options.documentsFolder = scratch.path();
    options.settingsFolder = scratch.path();
    WorkbenchSession session(options, console);
    QString error;
    ASSERT_TRUE(session.Open(error)) << error.toStdString();
    // The engine the module made: the same class as this binary's, used only for its counters.
    auto* engine = static_cast<CTqLISPImpl*>(session.Engine());
    ASSERT_NE(engine, nullptr);

    const std::string where = QFileInfo(path).fileName().toStdString();
    // With KELTORA_RECORD_TRANSCRIPTS set, what each command printed is also written to
    // "<file>.actual" in the transcript's own format, for a person to review and adopt.
    const bool recording = qEnvironmentVariableIsSet("KELTORA_RECORD_TRANSCRIPTS");
    QString recorded;
    for (const auto& step : cases) {
        console.output.clear();
        console.input = step.input;
        session.RunCommandLine(step.command);
        if (recording) {
            recorded += QStringLiteral("> ") + step.command + QLatin1Char('\n');
            for (const QString& line : step.input)
                recorded += QStringLiteral(">> ") + line + QLatin1Char('\n');
            const QString shown = NormalizeOutput(console.output);
            if (!shown.isEmpty())
                recorded += shown + QLatin1Char('\n');
        }
        EXPECT_EQ(NormalizeOutput(console.output).toStdString(), step.expected.toStdString())
            << where << ":" << step.line << ": " << step.command.toStdString();
        EXPECT_EQ(engine->TotalNodes() - engine->FreeNodes(), engine->CountReachableNodes())
            << where << ":" << step.line << ": nodes leaked by " << step.command.toStdString();
        EXPECT_TRUE(engine->CheckHeap()) << where << ":" << step.line;
    }
    if (recording) {
        QFile actual(path + QStringLiteral(".actual"));
        if (actual.open(QIODevice::WriteOnly))
            actual.write(recorded.toUtf8());
    }
    EXPECT_EQ(engine->Close(), 0);
    EXPECT_EQ(engine->TotalNodes(), 0u);
    EXPECT_EQ(engine->FreeNodes(), 0u);
    session.Close();
}

INSTANTIATE_TEST_SUITE_P(Transcripts, Transcript, testing::ValuesIn(TranscriptFiles()), TestName);

}  // namespace
