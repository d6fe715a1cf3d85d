// The string built-ins under system code pages other than Windows-1252, and the host's
// translation table behind translate: sessions opened as the workbench opens them with
// --code-page.
#include "host/lispservices/CTqWorkbenchLispServices.h"
#include "support/scripted_console.h"
#include "workbench/session.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CodePageSession : public testing::Test {
protected:
    void Open(const QString& codePage)
    {
        WorkbenchOptions options;
        options.batch = true;
        options.moduleFile = QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx");
        options.currentFolder = m_scratch.path();
        options.codePage = codePage;
        m_session = std::make_unique<WorkbenchSession>(options, m_console);
        QString error;
        ASSERT_TRUE(m_session->Open(error)) << error.toStdString();
        ASSERT_NE(m_session->Engine(), nullptr);
    }
    // The output of one command line, without its final line break.
    QString Run(const QString& line)
    {
        m_console.Take();
        m_session->RunCommandLine(line);
        QString output = m_console.Take();
        while (output.endsWith(QLatin1Char('\n')))
            output.chop(1);
        return output;
    }

    QTemporaryDir m_scratch;
    ScriptedConsole m_console;
    std::unique_ptr<WorkbenchSession> m_session;
};

}  // namespace

TEST_F(CodePageSession, CyrillicLettersAreSingleBytesInWindows1251)
{
    Open(QStringLiteral("windows-1251"));
    EXPECT_EQ(Run(QStringLiteral("(strlen \"Жж\")")), QStringLiteral("2"));
    EXPECT_EQ(Run(QStringLiteral("(ascii \"Ж\")")), QStringLiteral("198"));
    EXPECT_EQ(Run(QStringLiteral("(chr 198)")), QStringLiteral("\"Ж\""));
    EXPECT_EQ(Run(QStringLiteral("(substr \"аЖб\" 2 1)")), QStringLiteral("\"Ж\""));
    EXPECT_EQ(Run(QStringLiteral("(vl-string->list \"Ж\")")), QStringLiteral("(-58)"));
    EXPECT_EQ(Run(QStringLiteral("(vl-list->string '(198 199))")), QStringLiteral("\"ЖЗ\""));
    EXPECT_EQ(Run(QStringLiteral("(vl-string-position -58 \"abЖ\")")), QStringLiteral("2"));
    // Windows-1251 has no é: it counts as its escape.
    EXPECT_EQ(Run(QStringLiteral("(strlen \"é\")")), QStringLiteral("7"));
    EXPECT_EQ(Run(QStringLiteral("(ascii \"é\")")), QStringLiteral("233"));
}

TEST_F(CodePageSession, CentralEuropeanLettersInWindows1250)
{
    Open(QStringLiteral("cp1250"));
    EXPECT_EQ(Run(QStringLiteral("(strlen \"łż\")")), QStringLiteral("2"));
    EXPECT_EQ(Run(QStringLiteral("(ascii \"ł\")")), QStringLiteral("179"));
    EXPECT_EQ(Run(QStringLiteral("(chr 179)")), QStringLiteral("\"ł\""));
}

TEST_F(CodePageSession, AByteWithoutACharacterInWindows1253IsAUnit)
{
    Open(QStringLiteral("1253"));
    EXPECT_EQ(Run(QStringLiteral("(strlen \"αβγ\")")), QStringLiteral("3"));
    EXPECT_EQ(Run(QStringLiteral("(ascii \"α\")")), QStringLiteral("225"));
    EXPECT_EQ(Run(QStringLiteral("(chr 211)")), QStringLiteral("\"Σ\""));
    // 0xD2 is no character of Windows-1253, so chr gives the unit 210.
    EXPECT_EQ(Run(QStringLiteral("(chr 210)")), QStringLiteral("\"Ò\""));
}

TEST_F(CodePageSession, ShiftJisCountsTwoBytesForAKana)
{
    Open(QStringLiteral("932"));
    EXPECT_EQ(Run(QStringLiteral("(strlen \"あい\")")), QStringLiteral("4"));
    EXPECT_EQ(Run(QStringLiteral("(strlen \"aあ\")")), QStringLiteral("3"));
    EXPECT_EQ(Run(QStringLiteral("(strulen \"aあ\")")), QStringLiteral("2"));
    EXPECT_EQ(Run(QStringLiteral("(ascii \"あ\")")), QStringLiteral("12354"));
    EXPECT_EQ(Run(QStringLiteral("(ascii \"ｱ\")")), QStringLiteral("177"));
    EXPECT_EQ(Run(QStringLiteral("(chr 177)")), QStringLiteral("\"ｱ\""));
    EXPECT_EQ(Run(QStringLiteral("(substr \"あい\" 3 2)")), QStringLiteral("\"い\""));
    EXPECT_EQ(Run(QStringLiteral("(substr \"aあい\" 2 2)")), QStringLiteral("\"あ\""));
    EXPECT_EQ(Run(QStringLiteral("(vl-string->list \"あ\")")), QStringLiteral("(-126 -96)"));
    EXPECT_EQ(Run(QStringLiteral("(vl-string-elt \"あ\" 1)")), QStringLiteral("-96"));
    EXPECT_EQ(Run(QStringLiteral("(vl-string-position -96 \"aあ\")")), QStringLiteral("2"));
}

TEST_F(CodePageSession, ShiftJisLeadBytesAloneAreNoCharacters)
{
    Open(QStringLiteral("932"));
    // chr falls back to the unit; substr and vl-list->string keep U+FFFD for what does not decode.
    EXPECT_EQ(Run(QStringLiteral("(vl-stringu->list (chr 130))")), QStringLiteral("(130)"));
    EXPECT_EQ(Run(QStringLiteral("(vl-stringu->list (substr \"あい\" 2 2))")), QStringLiteral("(65533 65533)"));
    EXPECT_EQ(Run(QStringLiteral("(vl-stringu->list (vl-list->string '(130 160)))")), QStringLiteral("(65533 65533)"));
}

TEST_F(CodePageSession, GbkHoldsIdeographsAndTheEuroSign)
{
    Open(QStringLiteral("936"));
    EXPECT_EQ(Run(QStringLiteral("(strlen \"中文\")")), QStringLiteral("4"));
    EXPECT_EQ(Run(QStringLiteral("(ascii \"中\")")), QStringLiteral("20013"));
    EXPECT_EQ(Run(QStringLiteral("(substr \"中文\" 3 2)")), QStringLiteral("\"文\""));
    EXPECT_EQ(Run(QStringLiteral("(strlen \"€\")")), QStringLiteral("1"));
    EXPECT_EQ(Run(QStringLiteral("(chr 128)")), QStringLiteral("\"€\""));
}

TEST_F(CodePageSession, SourceFilesAreReadInTheCodePage)
{
    Open(QStringLiteral("windows-1251"));
    QFile source(QDir(m_scratch.path()).filePath(QStringLiteral("cyrillic.lsp")));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write("(setq word \"\xC6\xE6\")\n");
    source.close();
    EXPECT_EQ(Run(QStringLiteral("(load \"cyrillic.lsp\")")), QStringLiteral("\"Жж\""));
    EXPECT_EQ(Run(QStringLiteral("(vl-stringu->list word)")), QStringLiteral("(1046 1078)"));
}

TEST_F(CodePageSession, AnUnknownCodePageRefusesTheSession)
{
    WorkbenchOptions options;
    options.moduleFile = QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx");
    options.codePage = QStringLiteral("klingon");
    WorkbenchSession session(options, m_console);
    QString error;
    EXPECT_FALSE(session.Open(error));
    EXPECT_EQ(error, QStringLiteral("Unknown code page \"klingon\"."));
    EXPECT_FALSE(session.IsOpen());
}

TEST_F(CodePageSession, TranslateUsesTheHostTable)
{
    Open(QStringLiteral("windows-1252"));
    m_session->LispServices()->Translations().Add(QStringLiteral("Menu"), QStringLiteral("Open"), QStringLiteral("Öffnen"));
    EXPECT_EQ(Run(QStringLiteral("(translate \"Menu\" \"Open\")")), QStringLiteral("\"Öffnen\""));
    EXPECT_EQ(Run(QStringLiteral("(translate \"Dialog\" \"Open\")")), QStringLiteral("\"Open\""));
}
