// The file built-ins against the host's real stores and folders: registry values of every
// type, environment values that outlive a session, the folders getenv reports, relative names in
// the documents folder, and help files handed to a viewer.
#include "host/CTqSystemServices.h"
#include "host/lispservices/CTqWorkbenchLispServices.h"
#include "host/os/CTqRegistryStore.h"
#include "support/scripted_console.h"
#include "workbench/session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

namespace {

class FileSession : public testing::Test {
protected:
    void Open(const QStringList& supportFolders = {}, const QString& helpViewer = {})
    {
        WorkbenchOptions options;
        options.batch = true;
        options.moduleFile = QStringLiteral(KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx");
        options.currentFolder = m_current.path();
        options.documentsFolder = m_documents.path();
        options.settingsFolder = m_settings.path();
        options.supportFolders = supportFolders;
        options.helpViewer = helpViewer;
        m_session = std::make_unique<WorkbenchSession>(options, m_console);
        QString error;
        ASSERT_TRUE(m_session->Open(error)) << error.toStdString();
        ASSERT_NE(m_session->Engine(), nullptr);
    }
    void Close() { m_session.reset(); }
    // The output of one command line as text, without its final line break.
    std::string Run(const QString& line)
    {
        m_console.Take();
        m_session->RunCommandLine(line);
        QString output = m_console.Take();
        while (output.endsWith(QLatin1Char('\n')))
            output.chop(1);
        return output.toStdString();
    }

    QTemporaryDir m_current;
    QTemporaryDir m_documents;
    QTemporaryDir m_settings;
    ScriptedConsole m_console;
    std::unique_ptr<WorkbenchSession> m_session;
};

const QString kKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Keltora\\Types");

}  // namespace

TEST_F(FileSession, RegistryValuesTakeTheShapeOfTheirType)
{
    {
        CTqRegistryStore store;
        store.Open(QDir(m_settings.path()).filePath(QStringLiteral("registry.json")));
        CTqRegistryStore::Value value;
        value.type = CTqRegistryStore::Type::String;
        value.text = QStringLiteral("plain");
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("string"), value));
        value.type = CTqRegistryStore::Type::ExpandString;
        value.text = QStringLiteral("%TEMP%\\x");
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("expand"), value));
        value = {};
        value.type = CTqRegistryStore::Type::DWord;
        value.number = 4294967295u;
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("dword"), value));
        value.type = CTqRegistryStore::Type::DWordBigEndian;
        value.number = 1234;
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("bigendian"), value));
        value.type = CTqRegistryStore::Type::QWord;
        value.number = 1ull << 40;
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("qword"), value));
        value = {};
        value.type = CTqRegistryStore::Type::MultiString;
        value.strings = QStringList{QStringLiteral("a"), QStringLiteral("b c")};
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("multi"), value));
        value = {};
        value.type = CTqRegistryStore::Type::Binary;
        value.bytes = QByteArray("\x01\x02", 2);
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("binary"), value));
        value = {};
        value.type = CTqRegistryStore::Type::None;
        ASSERT_TRUE(store.Write(kKey, QStringLiteral("none"), value));
    }
    Open();
    auto read = [this](const char* name) {
        return Run(QStringLiteral("(vl-registry-read \"%1\" \"%2\")").arg(QString(kKey).replace(QLatin1String("\\"), QLatin1String("\\\\")), QLatin1String(name)));
    };
    EXPECT_EQ(read("string"), "\"plain\"");
    EXPECT_EQ(read("expand"), "(2 . \"%TEMP%\\\\x\")");
    EXPECT_EQ(read("dword"), "-1");
    EXPECT_EQ(read("bigendian"), "1234");
    EXPECT_EQ(read("qword"), "(11)");
    EXPECT_EQ(read("multi"), "(7 \"a\" \"b c\")");
    EXPECT_EQ(read("binary"), "(3)");
    EXPECT_EQ(read("none"), "(0)");
    EXPECT_EQ(read("missing"), "nil");
    EXPECT_EQ(Run(QStringLiteral("(vl-registry-descendents \"HKEY_CURRENT_USER\\\\Software\\\\Keltora\\\\Types\" \"x\")")),
              "(\"string\" \"expand\" \"dword\" \"bigendian\" \"qword\" \"multi\" \"binary\" \"none\")");
}

TEST_F(FileSession, RegistryWritesOutliveTheSession)
{
    Open();
    EXPECT_EQ(Run(QStringLiteral("(vl-registry-write \"HKEY_LOCAL_MACHINE\\\\Software\\\\K\" \"v\" \"kept\")")), "\"kept\"");
    Close();
    CTqRegistryStore store;
    store.Open(QDir(m_settings.path()).filePath(QStringLiteral("registry.json")));
    CTqRegistryStore::Value value;
    ASSERT_TRUE(store.Read(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\K"), QStringLiteral("v"), value));
    EXPECT_EQ(value.type, CTqRegistryStore::Type::String);
    EXPECT_EQ(value.text, QStringLiteral("kept"));
    Open();
    EXPECT_EQ(Run(QStringLiteral("(vl-registry-read \"HKEY_LOCAL_MACHINE\\\\Software\\\\K\" \"v\")")), "\"kept\"");
}

TEST_F(FileSession, EnvironmentValuesOutliveTheSessionAndFallBackToTheProcess)
{
    Open();
    EXPECT_EQ(Run(QStringLiteral("(setenv \"KeltoraUnit\" \"42\")")), "\"42\"");
    Close();
    Open();
    EXPECT_EQ(Run(QStringLiteral("(getenv \"KeltoraUnit\")")), "\"42\"");
    // A name the settings store lacks comes from the process environment.
    qputenv("KELTORA_FILES_TEST_VARIABLE", "from the process");
    EXPECT_EQ(Run(QStringLiteral("(getenv \"KELTORA_FILES_TEST_VARIABLE\")")), "\"from the process\"");
    qunsetenv("KELTORA_FILES_TEST_VARIABLE");
    // The three-string form reads a value of a named section.
    GetTqSystemServices()->SetSettingString(CTqString("Profile\\General"), CTqString("Units"), CTqString("mm"));
    EXPECT_EQ(Run(QStringLiteral("(getenv \"Profile\" \"General\" \"Units\")")), "\"mm\"");
    EXPECT_EQ(Run(QStringLiteral("(getenv \"Profile\" \"General\" \"Other\")")), "nil");
}

TEST_F(FileSession, GetenvReportsTheHostFoldersWithBackslashes)
{
    QTemporaryDir support;
    Open({support.path()});
    auto backslashed = [](QString folder) { return folder.replace(QLatin1Char('/'), QLatin1String("\\\\")).toStdString(); };
    EXPECT_EQ(Run(QStringLiteral("(cdr (assoc \"CADSUP\" (getenv)))")), "\"" + backslashed(support.path()) + "\"");
    EXPECT_EQ(Run(QStringLiteral("(cdr (assoc \"CADDWG\" (getenv)))")), "\"" + backslashed(m_documents.path()) + "\"");
    EXPECT_EQ(Run(QStringLiteral("(cdr (assoc \"CADCFG\" (getenv)))")), "\"" + backslashed(m_settings.path()) + "\"");
    EXPECT_EQ(Run(QStringLiteral("(cdr (assoc \"CADTMP\" (getenv)))")), "\"" + backslashed(QDir::tempPath()) + "\"");
    EXPECT_EQ(Run(QStringLiteral("(cdr (assoc \"CADKEY\" (getenv)))")), "\"" + QDir(m_settings.path()).filePath(QStringLiteral("alias.xml")).toStdString() + "\"");
    EXPECT_EQ(Run(QStringLiteral("(length (getenv))")), "11");
}

TEST_F(FileSession, RelativeNamesLandInTheDocumentsFolder)
{
    ASSERT_TRUE(QDir(m_documents.path()).mkdir(QStringLiteral("sub")));
    Open();
    EXPECT_EQ(Run(QStringLiteral("(progn (setq f (open \"sub/x.txt\" \"w\")) (write-line \"in documents\" f) (close f))")), "nil");
    QFile written(QDir(m_documents.path()).filePath(QStringLiteral("sub/x.txt")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("in documents\r\n"));
    EXPECT_FALSE(QFile::exists(QDir(m_current.path()).filePath(QStringLiteral("sub/x.txt"))));
    EXPECT_EQ(Run(QStringLiteral("(list (vl-file-size \"sub\\\\x.txt\") (vl-mkdir \"made\"))")), "(14 T)");
    EXPECT_TRUE(QFileInfo(QDir(m_documents.path()).filePath(QStringLiteral("made"))).isDir());
    EXPECT_EQ(Run(QStringLiteral("(vl-directory-files nil \"*\" -1)")), "(\".\" \"..\" \"made\" \"sub\")");
}

TEST_F(FileSession, HelpFilesGoToTheViewerAndCommandHelpIsKept)
{
    QTemporaryDir support;
    const QString record = QDir(m_current.path()).filePath(QStringLiteral("viewed"));
    const QString viewer = QDir(m_current.path()).filePath(QStringLiteral("viewer.sh"));
    {
        QFile script(viewer);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho \"$1\" > '%1.part' && mv '%1.part' '%1'\n").arg(record).toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        QFile help(QDir(support.path()).filePath(QStringLiteral("guide.html")));
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    }
    Open({support.path()}, viewer);
    const QString guide = QDir(support.path()).filePath(QStringLiteral("guide.html"));
    // The name is looked for along the host's folders; a topic with a key command goes along.
    EXPECT_EQ(Run(QStringLiteral("(help \"guide.html\" \"LINE\" \"10\")")), "\"" + guide.toStdString() + "\"");
    QElapsedTimer timer;
    timer.start();
    QByteArray viewed;
    while (viewed.isEmpty() && timer.elapsed() < 10000) {
        QFile file(record);
        if (file.open(QIODevice::ReadOnly))
            viewed = file.readAll();
        else
            QThread::msleep(20);
    }
    EXPECT_EQ(viewed, QStringLiteral("file://%1#LINE\n").arg(guide).toUtf8());
    EXPECT_EQ(Run(QStringLiteral("(help \"missing.html\")")), "nil");

    EXPECT_EQ(Run(QStringLiteral("(setfunhelp \"C:Plot\" \"guide.html\" \"PLOT\")")), "\"Plot\"");
    CTqHelpViewer::Reference reference;
    ASSERT_TRUE(m_session->LispServices()->FileServices().HelpViewer().CommandHelp(QStringLiteral("PLOT"), reference));
    EXPECT_EQ(reference.file, guide);
    // Without a command number the topic selects the partial-key command, whose topic is kept
    // and which opens the table of contents (1).
    EXPECT_EQ(reference.topic, QStringLiteral("PLOT"));
    EXPECT_EQ(reference.command, 1);
}
