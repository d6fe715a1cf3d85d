// Loading LISP source files from real files in temporary folders: the search order, byte-order
// marks and code pages, both kinds of protected files, refused files, the engine interface's
// LoadFile, and reading a long file line by line without growing the node heap.
#include "host/os/CTqProtectedPluginCodec.h"
#include "lisp/core/engine.h"
#include "support/scripted_console.h"
#include "workbench/file_options.h"
#include "workbench/session.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Failures show the text, not its units.
void PrintTo(const QString& text, std::ostream* stream) { *stream << '"' << text.toStdString() << '"'; }

namespace {

class LoadSession : public testing::Test {
protected:
    void Open(const QString& codePage = QStringLiteral("windows-1252"), const QStringList& supportFolders = {})
    {
        WorkbenchOptions options;
        options.batch = true;
        options.moduleFile = QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx");
        options.currentFolder = m_current.path();
        options.documentsFolder = m_documents.path();
        options.settingsFolder = m_documents.path();
        options.supportFolders = supportFolders;
        options.codePage = codePage;
        m_session = std::make_unique<WorkbenchSession>(options, m_console);
        QString error;
        ASSERT_TRUE(m_session->Open(error)) << error.toStdString();
        m_engine = static_cast<CTqLISPImpl*>(m_session->Engine());
        ASSERT_NE(m_engine, nullptr);
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
    static QString Write(const QString& folder, const QString& name, const QByteArray& bytes)
    {
        const QString path = QDir(folder).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
        return path;
    }
    bool NoLeaks() const { return m_engine->TotalNodes() - m_engine->FreeNodes() == m_engine->CountReachableNodes(); }

    QTemporaryDir m_current;
    QTemporaryDir m_documents;
    ScriptedConsole m_console;
    std::unique_ptr<WorkbenchSession> m_session;
    CTqLISPImpl* m_engine = nullptr;
};

// Encoding of Windows-1252 "Größe" and Windows-1251 "Жук".
const QByteArray kGroesse1252("Gr\xF6\xDF" "e");
const QByteArray kBeetle1251("\xC6\xF3\xEA");

}  // namespace

TEST_F(LoadSession, CurrentFolderComesBeforeTheSupportFoldersInTheirOrder)
{
    QTemporaryDir first;
    QTemporaryDir second;
    Write(second.path(), QStringLiteral("where.lsp"), "(setq where \"second\")");
    Write(second.path(), QStringLiteral("only2.lsp"), "(progn \"only in second\")");
    Open(QStringLiteral("windows-1252"), {first.path(), second.path()});
    EXPECT_EQ(Run(QStringLiteral("(load \"where\")")), QStringLiteral("\"second\""));
    Write(first.path(), QStringLiteral("where.lsp"), "(setq where \"first\")");
    EXPECT_EQ(Run(QStringLiteral("(load \"where\")")), QStringLiteral("\"first\""));
    Write(m_current.path(), QStringLiteral("where.lsp"), "(setq where \"current\")");
    EXPECT_EQ(Run(QStringLiteral("(load \"where\")")), QStringLiteral("\"current\""));
    EXPECT_EQ(Run(QStringLiteral("(load \"only2\")")), QStringLiteral("\"only in second\""));
    // An absolute name is taken as it stands.
    EXPECT_EQ(Run(QStringLiteral("(load \"%1/where.lsp\")").arg(second.path())), QStringLiteral("\"second\""));
    EXPECT_TRUE(NoLeaks());
}

TEST_F(LoadSession, SuffixesAreSearchedInTheirOrder)
{
    Write(m_current.path(), QStringLiteral("abc.lsp"), "(quote abc.lsp)");
    Write(m_current.path(), QStringLiteral("abc.txt.lsp"), "(quote abc.txt.lsp)");
    Open();
    EXPECT_EQ(Run(QStringLiteral("(load \"abc\")")), QStringLiteral("ABC.LSP"));
    // abc.txt is missing, so abc.txt.lsp is the second try.
    EXPECT_EQ(Run(QStringLiteral("(load \"abc.txt\")")), QStringLiteral("ABC.TXT.LSP"));
    Write(m_current.path(), QStringLiteral("abc.txt"), "(quote abc.txt)");
    EXPECT_EQ(Run(QStringLiteral("(load \"abc.txt\")")), QStringLiteral("ABC.TXT"));
    // A ".lsp" name is not tried with a second ".lsp".
    EXPECT_EQ(Run(QStringLiteral("(load \"abc.txt.lsp.lsp\")")), QStringLiteral("\n Error: File does not exist. \"abc.txt.lsp.lsp\""));
    // The suffix is compared without regard to case.
    Write(m_current.path(), QStringLiteral("upper.LSP"), "(quote upper)");
    EXPECT_EQ(Run(QStringLiteral("(load \"upper.LSP\")")), QStringLiteral("UPPER"));
}

TEST_F(LoadSession, AByteOrderMarkLoadsLikeTheSameTextWithout)
{
    const QByteArray text = "(setq s \"Gr\xC3\xB6\xC3\x9F" "e\")\n(strlen s)\n";
    Write(m_current.path(), QStringLiteral("plain8.lsp"), text);
    Write(m_current.path(), QStringLiteral("bom8.lsp"), "\xEF\xBB\xBF" + text);
    Open(QStringLiteral("windows-1252"));
    // Without a mark the bytes are Windows-1252: each UTF-8 byte is a character of its own.
    EXPECT_EQ(Run(QStringLiteral("(load \"plain8\")")), QStringLiteral("7"));
    EXPECT_EQ(Run(QStringLiteral("(load \"bom8\")")), QStringLiteral("5"));
    EXPECT_EQ(Run(QStringLiteral("(= s \"Größe\")")), QStringLiteral("T"));
    // A mark on a file whose first line is a comment, and on an empty file.
    Write(m_current.path(), QStringLiteral("bomcomment.lsp"), "\xEF\xBB\xBF; comment\n(setq c 1)\n");
    EXPECT_EQ(Run(QStringLiteral("(load \"bomcomment\")")), QStringLiteral("1"));
    Write(m_current.path(), QStringLiteral("bomonly.lsp"), "\xEF\xBB\xBF");
    EXPECT_EQ(Run(QStringLiteral("(load \"bomonly\")")), QStringLiteral("nil"));
}

TEST_F(LoadSession, FilesWithoutAMarkAreReadInTheSystemCodePage1252)
{
    Write(m_current.path(), QStringLiteral("cp1252.lsp"), "(setq s \"" + kGroesse1252 + "\")\n");
    Open(QStringLiteral("windows-1252"));
    EXPECT_EQ(Run(QStringLiteral("(load \"cp1252\")")), QStringLiteral("\"Größe\""));
    EXPECT_EQ(Run(QStringLiteral("(strlen s)")), QStringLiteral("5"));
}

TEST_F(LoadSession, FilesWithoutAMarkAreReadInTheSystemCodePage1251)
{
    Write(m_current.path(), QStringLiteral("cp1251.lsp"), "(setq s \"" + kBeetle1251 + "\")\n");
    Open(QStringLiteral("windows-1251"));
    EXPECT_EQ(Run(QStringLiteral("(load \"cp1251\")")), QStringLiteral("\"Жук\""));
    EXPECT_EQ(Run(QStringLiteral("(ascii s)")), QStringLiteral("198"));
    // read-line decodes the same way, and write-line writes the same bytes back.
    EXPECT_EQ(Run(QStringLiteral("(progn (setq f (open \"%1/cp1251.lsp\" \"r\")) (setq l (read-line f)) (close f) l)").arg(m_current.path())),
              QStringLiteral("\"(setq s \\\"Жук\\\")\""));
    EXPECT_EQ(Run(QStringLiteral("(progn (setq f (open \"out.txt\" \"w\")) (write-line s f) (close f))")), QStringLiteral("nil"));
    QFile written(QDir(m_documents.path()).filePath(QStringLiteral("out.txt")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), kBeetle1251 + "\r\n");
}

TEST_F(LoadSession, AProtectedPluginFileLoadsLikeItsPlainOriginal)
{
    // Line feeds only and a Ctrl-Z with text after it: the protected file keeps both as they are.
    const QByteArray plain = "(defun twice (x) (* 2 x))\n(setq p (twice 21))\n(strcat \"G\" \"r\xF6\xDF" "e\")\n\x1A(setq after 1)\n";
    Write(m_current.path(), QStringLiteral("plain.lsp"), plain);
    Write(m_current.path(), QStringLiteral("sealed.lsp"), CTqProtectedPluginCodec::Encode(plain));
    Open();
    EXPECT_EQ(Run(QStringLiteral("(load \"plain\")")), QStringLiteral("\"Größe\""));
    EXPECT_EQ(Run(QStringLiteral("(setq p nil)")), QStringLiteral("nil"));
    EXPECT_EQ(Run(QStringLiteral("(load \"sealed\")")), QStringLiteral("\"Größe\""));
    EXPECT_EQ(Run(QStringLiteral("(list p (twice 4) after)")), QStringLiteral("(42 8 nil)"));
    // open and read-line read the decoded text as well.
    EXPECT_EQ(Run(QStringLiteral("(progn (setq f (open \"%1/sealed.lsp\" \"r\")) (setq l (read-line f)) (close f) l)").arg(m_current.path())),
              QStringLiteral("\"(defun twice (x) (* 2 x))\""));
    EXPECT_TRUE(NoLeaks());
}

TEST_F(LoadSession, AFailureInAProtectedPluginFileNamesItsLine)
{
    const QByteArray plain = "(setq a 1)\r\n(setq b (/ 1 0))\r\n";
    Write(m_current.path(), QStringLiteral("plainbad.lsp"), plain);
    Write(m_current.path(), QStringLiteral("sealedbad.lsp"), CTqProtectedPluginCodec::Encode(plain));
    Open();
    const QString expected = QStringLiteral("\n Error loading file. Line: 2, Position: 16.\n Error: Division by zero.");
    EXPECT_EQ(Run(QStringLiteral("(load \"plainbad\")")), expected);
    EXPECT_EQ(Run(QStringLiteral("(load \"sealedbad\")")), expected);
}

TEST_F(LoadSession, ATagProtectedSourceLoadsLikeItsPlainOriginal)
{
    const QByteArray plain = "; tools\r\n(defun area (w h)\r\n  (* w h))\r\n\r\n(setq label \"" + kBeetle1251 + "\")\r\n(area 6 7)\r\n";
    const QString original = Write(m_current.path(), QStringLiteral("tool.lsp"), plain);
    const QString sealed = QDir(m_current.path()).filePath(QStringLiteral("tooltag.lsp"));
    QString error;
    ASSERT_TRUE(FileOptions::ProtectSourceFile(original, sealed, QStringLiteral("windows-1251"), error)) << error.toStdString();
    QFile check(sealed);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    const QByteArray protectedText = check.readAll();
    EXPECT_TRUE(protectedText.startsWith("#KELTORA-PROTECTED-LISP 1\r\n"));
    EXPECT_FALSE(protectedText.contains("defun"));
    Open(QStringLiteral("windows-1251"));
    EXPECT_EQ(Run(QStringLiteral("(load \"tool\")")), QStringLiteral("42"));
    EXPECT_EQ(Run(QStringLiteral("(setq label nil area nil)")), QStringLiteral("nil"));
    EXPECT_EQ(Run(QStringLiteral("(load \"tooltag\")")), QStringLiteral("42"));
    EXPECT_EQ(Run(QStringLiteral("(list label (area 2 3))")), QStringLiteral("(\"Жук\" 6)"));
    EXPECT_TRUE(NoLeaks());
}

TEST_F(LoadSession, ATagProtectedSourceReportsItsOwnLineOfAFailure)
{
    const QString original = Write(m_current.path(), QStringLiteral("fail.lsp"), "(setq a 1)\n(car 5)\n");
    const QString sealed = QDir(m_current.path()).filePath(QStringLiteral("failtag.lsp"));
    QString error;
    ASSERT_TRUE(FileOptions::ProtectSourceFile(original, sealed, QStringLiteral("windows-1252"), error)) << error.toStdString();
    Open();
    // The header line comes first, so the failing line is the third of the protected file.
    const QString output = Run(QStringLiteral("(load \"failtag\")"));
    EXPECT_TRUE(output.startsWith(QStringLiteral("\n Error loading file. Line: 3, Position: 7.\n"))) << output.toStdString();
}

TEST_F(LoadSession, ProtectingASourceRefusesWhatIsNoText)
{
    QString error;
    const QString missing = QDir(m_current.path()).filePath(QStringLiteral("missing.lsp"));
    EXPECT_FALSE(FileOptions::ProtectSourceFile(missing, missing + QStringLiteral(".out"), QStringLiteral("windows-1252"), error));
    EXPECT_TRUE(error.contains(QStringLiteral("Cannot read"))) << error.toStdString();
    const QString binary = Write(m_current.path(), QStringLiteral("binary.lsp"), QByteArray("(a)\0(b)", 7));
    const QString target = QDir(m_current.path()).filePath(QStringLiteral("binary.out"));
    EXPECT_FALSE(FileOptions::ProtectSourceFile(binary, target, QStringLiteral("windows-1252"), error));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_FALSE(FileOptions::ProtectSourceFile(binary, target, QStringLiteral("no-such-page"), error));
    EXPECT_FALSE(FileOptions::ProtectSourceFile(QString(), target, QStringLiteral("windows-1252"), error));
}

TEST_F(LoadSession, AFileThatIsNoTextIsRefused)
{
    Write(m_current.path(), QStringLiteral("image.lsp"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    Write(m_current.path(), QStringLiteral("wide.lsp"), QByteArray("\xFF\xFE(\0a\0)\0", 8));
    Open();
    EXPECT_EQ(Run(QStringLiteral("(load \"image\")")), QStringLiteral("\n Error: Loading program."));
    EXPECT_EQ(Run(QStringLiteral("(load \"wide\")")), QStringLiteral("\n Error: Loading program."));
    EXPECT_EQ(Run(QStringLiteral("(load \"wide\" 'refused)")), QStringLiteral("REFUSED"));
    EXPECT_TRUE(NoLeaks());
}

TEST_F(LoadSession, ALineLongerThanTheBufferIsRefusedAndKeptForReading)
{
    QByteArray longLine(70000, 'x');
    Write(m_documents.path(), QStringLiteral("long.txt"), "short\r\n" + longLine + "\r\nlast\r\n");
    Write(m_current.path(), QStringLiteral("long.lsp"), "(setq a \"" + longLine + "\")\n");
    Open();
    EXPECT_EQ(Run(QStringLiteral("(progn (setq f (open \"long.txt\" \"r\")) (read-line f))")), QStringLiteral("\"short\""));
    EXPECT_EQ(Run(QStringLiteral("(read-line f)")), QStringLiteral("\n Error: Input line too long."));
    // Nothing of the line was lost: it is still there to read character by character.
    EXPECT_EQ(Run(QStringLiteral("(list (read-char f) (read-char f))")), QStringLiteral("(120 120)"));
    EXPECT_EQ(Run(QStringLiteral("(close f)")), QStringLiteral("nil"));
    EXPECT_TRUE(Run(QStringLiteral("(load \"long\")")).endsWith(QStringLiteral("Error: Input line too long.")));
}

TEST_F(LoadSession, AWriteThatFailsWhenTheFileIsClosedIsReported)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full";
    Open();
    // The write goes to the file's buffer; the device refuses it when close flushes.
    EXPECT_EQ(Run(QStringLiteral("(progn (setq f (open \"/dev/full\" \"w\")) (write-line \"data\" f))")), QStringLiteral("\"data\""));
    EXPECT_EQ(Run(QStringLiteral("(close f)")), QStringLiteral("\n Error: Closing file."));
    EXPECT_EQ(Run(QStringLiteral("(write-line \"more\" f)")), QStringLiteral("\n Error: Cannot write to disk."));
}

TEST_F(LoadSession, LoadFileOfTheEngineInterfaceReportsItsStatusOnly)
{
    const QString good = Write(m_current.path(), QStringLiteral("good.lsp"), "(setq viaLoadFile 5)\n");
    const QString bad = Write(m_current.path(), QStringLiteral("bad.lsp"), "(setq x (/ 1 0))\n");
    Open();
    m_console.Take();
    EXPECT_EQ(m_engine->LoadFile(CTqString(good)), tq::kNormal);
    EXPECT_EQ(m_engine->LoadFile(CTqString(bad)), short(LispStatus::DivisionByZero));
    EXPECT_EQ(m_engine->LoadFile(CTqString(QDir(m_current.path()).filePath(QStringLiteral("none.lsp")))), short(LispStatus::FileDoesNotExist));
    EXPECT_EQ(m_console.Take(), QString());
    EXPECT_EQ(Run(QStringLiteral("(list viaLoadFile)")), QStringLiteral("(5)"));
}

TEST_F(LoadSession, ReadingAManyLineFileKeepsTheHeapAsItWas)
{
    auto lines = [](int count) {
        QByteArray text;
        for (int i = 0; i < count; ++i)
            text += "line " + QByteArray::number(i) + "\r\n";
        return text;
    };
    Write(m_documents.path(), QStringLiteral("few.txt"), lines(10));
    Write(m_documents.path(), QStringLiteral("many.txt"), lines(200000));
    Open();
    const QString count = QStringLiteral(
        "(progn (setq f (open \"%1\" \"r\") n 0) (while (setq l (read-line f)) (setq n (1+ n) final l)) (close f) (list n final))");
    // A short file first, so that the heap holds what one run of the loop needs.
    EXPECT_EQ(Run(count.arg(QStringLiteral("few.txt"))), QStringLiteral("(10 \"line 9\")"));
    const std::uint32_t before = m_engine->TotalNodes();
    EXPECT_EQ(Run(count.arg(QStringLiteral("many.txt"))), QStringLiteral("(200000 \"line 199999\")"));
    // Each line is released when the next one replaces it: the heap did not grow.
    EXPECT_EQ(m_engine->TotalNodes(), before);
    EXPECT_TRUE(NoLeaks());
}
