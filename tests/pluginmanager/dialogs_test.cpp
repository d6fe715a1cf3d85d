// The manager dialog and the download dialog, offscreen: entry texts and states, the details
// and log tabs, the buttons, and the checks before an update is handed to the system.
#include "plugin_test_support.h"
#include "test_http_server.h"

#include "pluginmanager/CTqAppStorePlugin.h"
#include "pluginmanager/dialogs/CTqDlgAppStore.h"
#include "pluginmanager/dialogs/CTqDlgDownloader.h"
#include "pluginmanager/update_signature.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBrowser>

#include <sodium.h>

namespace {

PluginRecord Record(const char* name, const char* version)
{
    PluginRecord record;
    record.name = QString::fromUtf8(name);
    record.version = QString::fromUtf8(version);
    record.readOk = true;
    record.versionMatches = true;
    return record;
}

TEST(EntryText, StateFirstMatchWinsWithModuleKinds)
{
    PluginRecord record = Record("Sample", "1.2");
    EXPECT_EQ(CTqDlgAppStore::EntryText(record), QStringLiteral("Sample 1.2\nDisabled"));
    EXPECT_EQ(CTqDlgAppStore::EntryToolTip(record), QStringLiteral("Disabled"));
    record.loaded = true;
    record.modules.push_back({QStringLiteral("a.lsp"), {}, {}, ModuleKind::Lisp});
    record.modules.push_back({QStringLiteral("T_4.01_14.tx"), {}, {}, ModuleKind::Tx});
    record.needsMfc = true;
    EXPECT_EQ(CTqDlgAppStore::EntryText(record), QStringLiteral("Sample 1.2\nEnabled (LISP, DRX, MFCUI)"));
    EXPECT_EQ(CTqDlgAppStore::EntryToolTip(record), QStringLiteral("Enabled"));
    record.versionMatches = false;
    EXPECT_EQ(CTqDlgAppStore::EntryText(record), QStringLiteral("Sample 1.2\nVersion Mismatch. (LISP, DRX, MFCUI)"));
    EXPECT_EQ(CTqDlgAppStore::EntryToolTip(record), QStringLiteral("Version Mismatch"));

    PluginRecord failed = Record("F", "1");
    failed.failedToLoad = true;
    failed.isNew = true;
    EXPECT_EQ(CTqDlgAppStore::EntryText(failed), QStringLiteral("New: F 1\nUnable to load."));
    EXPECT_EQ(CTqDlgAppStore::EntryToolTip(failed), QStringLiteral("Unable to load"));

    PluginRecord updated = Record("U", "1");
    updated.hasUpdate = true;
    updated.update.version = QStringLiteral("2.0");
    EXPECT_EQ(CTqDlgAppStore::EntryText(updated), QStringLiteral("U 1\nDisabled New Version 2.0 available."));
    EXPECT_EQ(CTqDlgAppStore::EntryToolTip(updated), QStringLiteral("New Version available."));
}

TEST(Details, LinksForMailAndWebsiteAndEscapedTexts)
{
    PluginRecord record = Record("<b>Bold</b>", "1");
    record.authorName = QStringLiteral("Ada & Co");
    record.authorMail = QStringLiteral("ada@example.org");
    record.authorWebsite = QStringLiteral("https://example.org");
    record.description = QStringLiteral("<script>x</script>");
    const QString html = CTqDlgAppStore::DetailsHtml(record);
    EXPECT_TRUE(html.contains(QStringLiteral("<a href=\"mailto:ada@example.org\">ada@example.org</a>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<a href=\"https://example.org\">https://example.org</a>")));
    EXPECT_TRUE(html.contains(QStringLiteral("Ada &amp; Co")));
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;b&gt;Bold&lt;/b&gt;")));
    EXPECT_FALSE(html.contains(QStringLiteral("<script>")));
    for (const char* label : {"Author", "Support", "Website", "Application Version", "Description"})
        EXPECT_TRUE(html.contains(QLatin1String(label))) << label;

    record.authorWebsite = QStringLiteral("javascript:alert(1)");
    EXPECT_FALSE(CTqDlgAppStore::DetailsHtml(record).contains(QStringLiteral("href=\"javascript")));
}

class DialogTest : public PluginHostTest {
protected:
    void SetUp() override
    {
        PluginHostTest::SetUp();
        manager.SetMode(HostMode::Workbench);
        WriteFile(plugin(QStringLiteral("a_lisp.xml")),
                  Description(QStringLiteral("Lisp Tools"), QStringLiteral("1.0"),
                              Details(QStringLiteral("18.0"),
                                      QStringLiteral("<modules><module onLoad=\"true\">tools.lsp</module></modules>")),
                              QStringLiteral("<author><name>Ada</name><mail>ada@example.org</mail></author>")));
        WriteFile(plugin(QStringLiteral("a_lisp/tools.lsp")), "(defun tools-ready () T)\n");
        WriteFile(plugin(QStringLiteral("b_old.xml")),
                  Description(QStringLiteral("Old"), QStringLiteral("0.1"), Details(QStringLiteral("17.0"))));
        manager.InitializePlugins();
        ASSERT_EQ(manager.Records().size(), 2u);
    }
    void TearDown() override
    {
        manager.UnloadAll();
        PluginHostTest::TearDown();
    }

    CTqAppStorePlugin manager;
};

TEST_F(DialogTest, ListShowsEveryPluginAndTheButtonsFollowTheSelection)
{
    CTqDlgAppStore dialog(manager);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Plugin Manager"));
    ASSERT_EQ(dialog.PluginList()->count(), 2);
    EXPECT_EQ(dialog.PluginList()->item(0)->text(), QStringLiteral("New: Lisp Tools 1.0\nDisabled (LISP)"));
    EXPECT_EQ(dialog.PluginList()->item(1)->text(), QStringLiteral("New: Old 0.1\nVersion Mismatch."));
    EXPECT_EQ(dialog.PluginList()->item(1)->toolTip(), QStringLiteral("Version Mismatch"));

    dialog.PluginList()->setCurrentRow(0);
    EXPECT_TRUE(dialog.EnableButton()->isEnabled());
    EXPECT_FALSE(dialog.DisableButton()->isEnabled());
    EXPECT_FALSE(dialog.UpdateButton()->isEnabled());
    EXPECT_TRUE(dialog.Details()->text().contains(QStringLiteral("mailto:ada@example.org")));
    EXPECT_TRUE(dialog.LogView()->toPlainText().contains(QStringLiteral("[MSG] Initialize plugin Lisp Tools.\n")));

    dialog.PluginList()->setCurrentRow(1);
    EXPECT_FALSE(dialog.EnableButton()->isEnabled()) << "a plugin for another core cannot be enabled";
    EXPECT_TRUE(dialog.LogView()->toPlainText().contains(QStringLiteral("[MSG]  Version matches: No\n")));
}

TEST_F(DialogTest, EnableAndDisableWithTheLispNotice)
{
    CTqDlgAppStore dialog(manager);
    QStringList notices;
    dialog.showNotice = [&](const QString& text) { notices << text; };
    dialog.PluginList()->setCurrentRow(0);
    dialog.EnableButton()->click();
    // No document is open: the LISP module waits for the next one.
    EXPECT_EQ(dialog.PluginList()->item(0)->text(), QStringLiteral("New: Lisp Tools 1.0\nEnabled (LISP)"));
    EXPECT_TRUE(manager.Records()[0].loadOnStartup);
    EXPECT_FALSE(dialog.EnableButton()->isEnabled());
    EXPECT_TRUE(dialog.DisableButton()->isEnabled());

    dialog.DisableButton()->click();
    EXPECT_EQ(notices, QStringList{QStringLiteral("Plugin contains LISP modules. It will no longer be loaded on startup.")});
    EXPECT_EQ(dialog.PluginList()->item(0)->text(), QStringLiteral("New: Lisp Tools 1.0\nDisabled (LISP)"));
    EXPECT_EQ(setting(QStringLiteral("plg_Lisp Tools_sUp")), QStringLiteral("false"));
}

TEST_F(DialogTest, UpdateButtonOpensTheDownloaderForTheKeptAddress)
{
    PluginRecord& lisp = manager.Records()[0];
    lisp.hasUpdate = true;
    lisp.update.version = QStringLiteral("2.0");
    lisp.update.downloadUrl = QStringLiteral("http://127.0.0.1:1/x.zip");
    CTqDlgAppStore dialog(manager);
    QStringList opened;
    dialog.openDownloader = [&](PluginRecord& record) { opened << record.update.downloadUrl; };
    dialog.PluginList()->setCurrentRow(0);
    EXPECT_EQ(dialog.PluginList()->item(0)->toolTip(), QStringLiteral("New Version available."));
    ASSERT_TRUE(dialog.UpdateButton()->isEnabled());
    dialog.UpdateButton()->click();
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://127.0.0.1:1/x.zip")});
}

// ---- signatures and the download dialog ---------------------------------------------------------

struct KeyPair {
    KeyPair()
    {
        EXPECT_GE(sodium_init(), 0);
        crypto_sign_keypair(publicKey, secretKey);
    }
    QString sign(const QByteArray& data) const
    {
        unsigned char signature[crypto_sign_BYTES];
        crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char*>(data.constData()),
                             std::size_t(data.size()), secretKey);
        return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(signature), crypto_sign_BYTES).toBase64());
    }
    QString publicBase64() const
    {
        return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(publicKey), crypto_sign_PUBLICKEYBYTES).toBase64());
    }
    unsigned char publicKey[crypto_sign_PUBLICKEYBYTES];
    unsigned char secretKey[crypto_sign_SECRETKEYBYTES];
};

TEST(UpdateSignature, VerifiesOnlyTheSignedBytesUnderTheRightKey)
{
    const KeyPair keys;
    const KeyPair other;
    const QByteArray data = "installer bytes";
    const QString signature = keys.sign(data);
    EXPECT_EQ(CheckUpdateSignature(data, signature, keys.publicBase64()), SignatureCheck::Valid);
    EXPECT_EQ(CheckUpdateSignature(data + "!", signature, keys.publicBase64()), SignatureCheck::Invalid);
    EXPECT_EQ(CheckUpdateSignature(data, signature, other.publicBase64()), SignatureCheck::Invalid);
    EXPECT_EQ(CheckUpdateSignature(data, QStringLiteral("c2ln"), keys.publicBase64()), SignatureCheck::Invalid);
    EXPECT_EQ(CheckUpdateSignature(data, signature, QString()), SignatureCheck::NoKey);
    EXPECT_EQ(CheckUpdateSignature(data, signature, QStringLiteral("bm8=")), SignatureCheck::NoKey);
    EXPECT_EQ(CheckUpdateSignature(data, QString(), keys.publicBase64()), SignatureCheck::Unsigned);
}

class DownloaderTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        server.answer("/notes.html", {200, "<h2>What is new</h2><p>Faster.</p>", 0, false, "text/html"});
        server.answer("/update.bin", {200, payload, 0, false, "application/octet-stream"});
        record().hasUpdate = true;
        record().update.version = QStringLiteral("2.0");
        record().update.releaseNotesUrl = server.url(QStringLiteral("/notes.html"));
        record().update.downloadUrl = server.url(QStringLiteral("/update.bin"));
    }
    PluginRecord& record() { return manager.Records()[0]; }

    // Opens the downloader with recording hooks and waits until the download is done.
    std::unique_ptr<CTqDlgDownloader> download()
    {
        auto dialog = std::make_unique<CTqDlgDownloader>(manager, record());
        dialog->confirmUnsigned = [this](const QString& question) {
            questions << question;
            return confirmAnswer;
        };
        dialog->showError = [this](const QString& message) { errors << message; };
        dialog->handToSystem = [this](const QString& path) {
            QFile file(path);
            handed << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
            return true;
        };
        EXPECT_TRUE(WaitFor([&] { return dialog->CurrentState() != CTqDlgDownloader::State::Downloading; }));
        return dialog;
    }

    TestHttpServer server;
    const QByteArray payload = QByteArray("installer ") + QByteArray(5000, 'i');
    KeyPair keys;
    QStringList questions;
    QStringList errors;
    QList<QByteArray> handed;
    bool confirmAnswer = false;
};

TEST_F(DownloaderTest, SignedDownloadThatVerifiesIsHandedOver)
{
    record().update.edSignature = keys.sign(payload);
    record().settings.insert(QStringLiteral("SUPublicEDKey"), keys.publicBase64());
    auto dialog = download();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Update"));
    ASSERT_EQ(dialog->CurrentState(), CTqDlgDownloader::State::Ready) << dialog->StatusText().toStdString();
    EXPECT_EQ(server.requests.last().headers.value("user-agent"), QByteArray("DOR Idevive 1.0"));
    EXPECT_EQ(dialog->Progress()->value(), dialog->Progress()->maximum());
    EXPECT_EQ(dialog->InstallButton()->text(), QStringLiteral("Install"));
    ASSERT_TRUE(WaitFor([&] { return dialog->Notes()->toPlainText().contains(QStringLiteral("What is new")); }));

    dialog->InstallButton()->click();
    EXPECT_EQ(dialog->CurrentState(), CTqDlgDownloader::State::Installed);
    EXPECT_EQ(handed, QList<QByteArray>{payload});
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(DownloaderTest, HostKeyServesWhenThePluginNamesNone)
{
    record().update.edSignature = keys.sign(payload);
    setSetting(QStringLiteral("UpdatePublicKey"), keys.publicBase64());
    auto dialog = download();
    dialog->InstallButton()->click();
    EXPECT_EQ(handed.size(), 1);
}

TEST_F(DownloaderTest, AlteredDownloadIsRefusedAndLogged)
{
    record().update.edSignature = keys.sign(payload + "tampered");
    record().settings.insert(QStringLiteral("SUPublicEDKey"), keys.publicBase64());
    auto dialog = download();
    ASSERT_EQ(dialog->CurrentState(), CTqDlgDownloader::State::Ready);
    dialog->InstallButton()->click();
    EXPECT_EQ(dialog->CurrentState(), CTqDlgDownloader::State::Refused);
    EXPECT_TRUE(handed.isEmpty());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("does not match its signature")));
    EXPECT_TRUE(manager.LogTextFor(record().index)
                    .endsWith(QStringLiteral("[ERR] Update Lisp Tools 2.0 refused: its signature does not verify.\n")));
}

TEST_F(DownloaderTest, SignedDownloadWithoutAnyKeyIsRefused)
{
    record().update.edSignature = keys.sign(payload);
    auto dialog = download();
    dialog->InstallButton()->click();
    EXPECT_EQ(dialog->CurrentState(), CTqDlgDownloader::State::Refused);
    EXPECT_TRUE(handed.isEmpty());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("neither the plugin nor the host names a key")));
}

TEST_F(DownloaderTest, UnsignedDownloadNeedsTheUsersConfirmation)
{
    auto dialog = download();
    dialog->InstallButton()->click();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(QStringLiteral("carries no signature")));
    EXPECT_TRUE(handed.isEmpty()) << "declined";
    EXPECT_EQ(dialog->CurrentState(), CTqDlgDownloader::State::Ready);

    confirmAnswer = true;
    dialog->InstallButton()->click();
    EXPECT_EQ(handed, QList<QByteArray>{payload});
    EXPECT_TRUE(manager.LogTextFor(record().index).contains(QStringLiteral("[WNG] Update Lisp Tools 2.0 installed without a signature.")));
}

TEST_F(DownloaderTest, FailuresAndStallsEndTheDownload)
{
    server.answer("/update.bin", {404, "gone"});
    EXPECT_EQ(download()->CurrentState(), CTqDlgDownloader::State::Failed);

    setSetting(QStringLiteral("FeedTimeout"), QStringLiteral("0.3"));
    server.answer("/update.bin", {200, {}, 0, true});
    auto stalled = download();
    EXPECT_EQ(stalled->CurrentState(), CTqDlgDownloader::State::Failed);
    EXPECT_TRUE(stalled->StatusText().contains(QStringLiteral("stalled")));
    EXPECT_FALSE(stalled->InstallButton()->isEnabled());

    record().update.length = 100;  // announced smaller than what arrives
    server.answer("/update.bin", {200, payload});
    EXPECT_EQ(download()->CurrentState(), CTqDlgDownloader::State::Failed);

    record().update.downloadUrl = QStringLiteral("file:///etc/passwd");
    EXPECT_EQ(download()->CurrentState(), CTqDlgDownloader::State::Failed);
}

}  // namespace
