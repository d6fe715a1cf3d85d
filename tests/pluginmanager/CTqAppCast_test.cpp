// The update feed reader and the evaluation of its results, against an HTTP server on 127.0.0.1:
// slow answers, errors, broken XML, a feed that never answers, and hostile feeds.
#include "plugin_test_support.h"
#include "test_http_server.h"

#include "pluginmanager/CTqAppCast.h"
#include "pluginmanager/CTqAppStorePlugin.h"
#include "pluginmanager/plugin_dialogs.h"

#include <QElapsedTimer>
#include <QWidget>

namespace {

// Counts the reader's finish signals.
struct FinishCounter {
    explicit FinishCounter(CTqAppCast& reader)
    {
        QObject::connect(&reader, &CTqAppCast::signalAppCastFinished, &context, [this] { ++calls; });
    }
    int count() const { return calls; }
    QObject context;
    int calls = 0;
};

QByteArray Feed(const QByteArray& items, const QByteArray& channelExtra = {})
{
    return "<?xml version=\"1.0\"?>\n"
           "<rss version=\"2.0\" xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">\n"
           "<channel><title>Sample updates</title><link>http://127.0.0.1/</link><description>News</description>"
           "<language>en</language>"
        + channelExtra + items + "</channel></rss>\n";
}

QByteArray Item(const QByteArray& version, const QByteArray& core = "18.0", const QByteArray& os = "0",
                const QByteArray& url = "http://127.0.0.1/sample.zip")
{
    return "<item><title>Sample " + version + "</title>"
           "<sparkle:releaseNotesLink>http://127.0.0.1/notes.html</sparkle:releaseNotesLink>"
           "<pubDate>Mon, 01 Jan 2024 10:00:00 +0000</pubDate><os>" + os + "</os><coreversion>" + core + "</coreversion>"
           "<enclosure url=\"" + url + "\" sparkle:version=\"" + version + "\" type=\"application/zip\" length=\"10\""
           " sparkle:edSignature=\"c2ln\"/></item>";
}

class AppCastTest : public PluginHostTest {
protected:
    // Runs the reader over the paths of the test server and waits for its finish signal.
    bool fetch(const QList<QByteArray>& paths, double timeout = 5.0)
    {
        QStringList urls;
        for (const QByteArray& path : paths)
            urls << server.url(QString::fromLatin1(path));
        FinishCounter finished(reader);
        reader.Start(urls, timeout);
        return WaitFor([&] { return finished.count() > 0; }, 10000) && finished.count() == 1;
    }
    std::vector<AppCastChannel> channels(const QByteArray& path) const
    {
        return reader.ChannelsOf(server.url(QString::fromLatin1(path)));
    }

    TestHttpServer server;
    CTqAppCast reader;
};

TEST_F(AppCastTest, ParsesChannelsAndItemsWithSparkleFields)
{
    const std::vector<AppCastChannel> parsed = CTqAppCast::Parse(Feed(Item("2.0") + "<ITEM/><Item><title>x</title></Item>"));
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0].title, QStringLiteral("Sample updates"));
    EXPECT_EQ(parsed[0].link, QStringLiteral("http://127.0.0.1/"));
    EXPECT_EQ(parsed[0].description, QStringLiteral("News"));
    EXPECT_EQ(parsed[0].language, QStringLiteral("en"));
    // The empty "ITEM" is skipped; "Item" counts whatever its case.
    ASSERT_EQ(parsed[0].items.size(), 2u);
    const AppCastItem& item = parsed[0].items[0];
    EXPECT_EQ(item.title, QStringLiteral("Sample 2.0"));
    EXPECT_EQ(item.releaseNotesLink, QStringLiteral("http://127.0.0.1/notes.html"));
    EXPECT_EQ(item.pubDate, QStringLiteral("Mon, 01 Jan 2024 10:00:00 +0000"));
    EXPECT_EQ(item.os, 0);
    EXPECT_EQ(item.coreVersion, QStringLiteral("18.0"));
    EXPECT_EQ(item.version, QStringLiteral("2.0"));
    EXPECT_EQ(item.url, QStringLiteral("http://127.0.0.1/sample.zip"));
    EXPECT_EQ(item.type, QStringLiteral("application/zip"));
    EXPECT_EQ(item.edSignature, QStringLiteral("c2ln"));
    EXPECT_EQ(item.length, 10);
    EXPECT_EQ(parsed[0].items[1].title, QStringLiteral("x"));
}

TEST_F(AppCastTest, FetchesInOrderWithTheUserAgentAndSurvivesErrorsAndBrokenXml)
{
    server.answer("/a.xml", {200, Feed(Item("2.0"))});
    server.answer("/b.xml", {500, "server error"});
    server.answer("/c.xml", {200, "<rss><channel><item>"});
    server.answer("/d.xml", {200, Feed(Item("3.0")), 150});
    ASSERT_TRUE(fetch({"/a.xml", "/b.xml", "/missing.xml", "/c.xml", "/d.xml"}));

    ASSERT_EQ(server.requests.size(), 5);
    const QList<QByteArray> order{"/a.xml", "/b.xml", "/missing.xml", "/c.xml", "/d.xml"};
    for (int i = 0; i < order.size(); ++i) {
        EXPECT_EQ(server.requests[i].path, order[i]);
        EXPECT_EQ(server.requests[i].method, QByteArray("GET"));
        EXPECT_EQ(server.requests[i].headers.value("user-agent"), QByteArray("DOR Idevive 1.0"));
    }
    EXPECT_EQ(channels("/a.xml").size(), 1u);
    EXPECT_TRUE(channels("/b.xml").empty());
    EXPECT_TRUE(channels("/missing.xml").empty());
    EXPECT_TRUE(channels("/c.xml").empty());
    ASSERT_EQ(channels("/d.xml").size(), 1u) << "a slow answer within the timeout counts";
    EXPECT_EQ(channels("/d.xml")[0].items[0].version, QStringLiteral("3.0"));
}

TEST_F(AppCastTest, FeedThatNeverAnswersIsSkippedAfterTheTimeout)
{
    server.answer("/silent.xml", {200, {}, 0, true});
    server.answer("/late.xml", {200, Feed(Item("9.0")), 2000});
    server.answer("/next.xml", {200, Feed(Item("2.0"))});
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(fetch({"/silent.xml", "/late.xml", "/next.xml"}, 0.3));
    EXPECT_LT(clock.elapsed(), 3000) << "each feed waits only its timeout";
    EXPECT_TRUE(channels("/silent.xml").empty());
    EXPECT_TRUE(channels("/late.xml").empty());
    EXPECT_EQ(channels("/next.xml").size(), 1u);
}

TEST_F(AppCastTest, EmptyListAndAddressesThatAreNotWebAddressesFinishAtOnce)
{
    ASSERT_TRUE(fetch({}));
    FinishCounter finished(reader);
    reader.Start({QStringLiteral("file:///etc/passwd"), QStringLiteral("not an address")}, 5.0);
    EXPECT_EQ(finished.count(), 0) << "never before the caller returns";
    ASSERT_TRUE(WaitFor([&] { return finished.count() == 1; }));
    EXPECT_TRUE(reader.ChannelsOf(QStringLiteral("file:///etc/passwd")).empty());
}

TEST_F(AppCastTest, HostileFeedsAreBounded)
{
    const QByteArray longTitle(100000, 'x');
    QByteArray many = "<item><title>" + longTitle + "</title></item>";
    for (int i = 0; i < CTqAppCast::kMaxItems + 50; ++i)
        many += "<item><title>t</title></item>";
    server.answer("/many.xml", {200, Feed(many)});
    server.answer("/huge.xml", {200, QByteArray(CTqAppCast::kMaxFeedBytes + 10, ' ') + Feed(Item("2.0"))});
    const QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
                              "<!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
                              "<!ENTITY lol2 \"&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;\">"
                              "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">"
                              "<!ENTITY lol4 \"&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;\">"
                              "<!ENTITY lol5 \"&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;\">"
                              "<!ENTITY lol6 \"&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;\">"
                              "<!ENTITY lol7 \"&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;\">"
                              "]><rss><channel><title>&lol7;</title><item><title>&lol7;</title></item></channel></rss>";
    server.answer("/laughs.xml", {200, laughs});
    ASSERT_TRUE(fetch({"/many.xml", "/huge.xml", "/laughs.xml"}));

    ASSERT_EQ(channels("/many.xml").size(), 1u);
    EXPECT_EQ(int(channels("/many.xml")[0].items.size()), CTqAppCast::kMaxItems);
    EXPECT_EQ(channels("/many.xml")[0].items[0].title.size(), CTqAppCast::kMaxTextLength);
    EXPECT_TRUE(channels("/huge.xml").empty()) << "a feed past the size limit is dropped";
    for (const AppCastChannel& channel : channels("/laughs.xml")) {
        EXPECT_LE(channel.title.size(), CTqAppCast::kMaxTextLength);
        for (const AppCastItem& item : channel.items)
            EXPECT_LE(item.title.size(), CTqAppCast::kMaxTextLength);
    }
}

// ---- evaluation -------------------------------------------------------------------------------

class FeedEvaluationTest : public AppCastTest {
protected:
    void SetUp() override
    {
        AppCastTest::SetUp();
        manager.SetMode(HostMode::Workbench);
        manager.announce = [this](int count) {
            announced.push_back(count);
            return false;
        };
    }
    void TearDown() override
    {
        manager.UnloadAll();
        AppCastTest::TearDown();
    }
    void addPlugin(const QString& name, const QString& version, const QByteArray& feedPath)
    {
        ASSERT_TRUE(WriteFile(plugin(name + QStringLiteral(".xml")),
                              Description(name, version, Details(),
                                          QStringLiteral("<appcasturl>%1</appcasturl>")
                                              .arg(server.url(QString::fromLatin1(feedPath))))));
    }
    // Initialises, creates a document (which starts the pending check) and waits for the result.
    bool runCheck()
    {
        manager.InitializePlugins();
        if (!manager.FeedCheckPending())
            return false;
        FinishCounter finished(manager.AppCast());
        manager.OnDocumentCreated(nullptr);
        EXPECT_FALSE(manager.FeedCheckPending()) << "later documents start no other check";
        return WaitFor([&] { return finished.count() > 0; }, 10000);
    }
    PluginRecord* find(const QString& name)
    {
        for (PluginRecord& record : manager.Records()) {
            if (record.name == name)
                return &record;
        }
        return nullptr;
    }

    CTqAppStorePlugin manager;
    std::vector<int> announced;
};

TEST_F(FeedEvaluationTest, VersionsCompareAsTextAndTheLastQualifyingItemWins)
{
    addPlugin(QStringLiteral("Nine"), QStringLiteral("1.9"), "/nine.xml");
    server.answer("/nine.xml", {200, Feed(Item("1.10") + Item("1.9a") + Item("1.9") + Item("5.0", "19.0")
                                          + Item("6.0", "18.0", "1"))});
    ASSERT_TRUE(runCheck());
    PluginRecord* nine = find(QStringLiteral("Nine"));
    ASSERT_NE(nine, nullptr);
    // "1.10" is not above "1.9" as text; 5.0 needs another core; 6.0 is for another system.
    EXPECT_TRUE(nine->hasUpdate);
    EXPECT_EQ(nine->update.version, QStringLiteral("1.9a"));
    EXPECT_EQ(nine->update.title, QStringLiteral("Sample 1.9a"));
    EXPECT_EQ(nine->update.downloadUrl, QStringLiteral("http://127.0.0.1/sample.zip"));
    EXPECT_EQ(nine->update.releaseNotesUrl, QStringLiteral("http://127.0.0.1/notes.html"));
    EXPECT_EQ(setting(QStringLiteral("plg_Nine_pVer")), QStringLiteral("1.9a"));
    EXPECT_TRUE(manager.LogTextFor(nine->index).endsWith(QStringLiteral("[MSG]  Updates found: Yes\n")));
    EXPECT_EQ(announced, std::vector<int>{1});
}

TEST_F(FeedEvaluationTest, VersionAlreadyToldAboutIsMarkedButNotAnnounced)
{
    addPlugin(QStringLiteral("Told"), QStringLiteral("1.0"), "/told.xml");
    addPlugin(QStringLiteral("Quiet"), QStringLiteral("1.0"), "/quiet.xml");
    setSetting(QStringLiteral("plg_Told_pVer"), QStringLiteral("2.0"));
    server.answer("/told.xml", {200, Feed(Item("2.0"))});
    server.answer("/quiet.xml", {200, Feed(Item("0.9"))});
    ASSERT_TRUE(runCheck());
    EXPECT_TRUE(find(QStringLiteral("Told"))->hasUpdate);
    EXPECT_FALSE(find(QStringLiteral("Quiet"))->hasUpdate);
    EXPECT_TRUE(manager.LogTextFor(find(QStringLiteral("Quiet"))->index).endsWith(QStringLiteral("[MSG]  Updates found: No\n")));
    EXPECT_EQ(setting(QStringLiteral("plg_Quiet_pVer")), QStringLiteral("<absent>"));
    EXPECT_TRUE(announced.empty());
}

// What the default announcement asked the dialogs.
struct AskedQuestion {
    QWidget* parent = nullptr;
    QString title;
    QString text;
};
AskedQuestion g_asked;

bool AnswerYes(QWidget* parent, const QString& title, const QString& text)
{
    g_asked = {parent, title, text};
    return true;
}

void ShowNoManager(CTqAppStorePlugin&, QWidget*) {}

TEST_F(FeedEvaluationTest, WithAWindowTheDefaultAnnouncementAsksThroughTheDialogs)
{
    const PluginDialogTable answering{AnswerYes, ShowNoManager};
    plugin_dialogs::Use(&answering);
    QWidget window;
    CTqSystemServicesImpl::Instance().SetMainWindow(&window);
    manager.announce = nullptr;
    bool opened = false;
    manager.openDialog = [&opened] { opened = true; };
    g_asked = {};
    addPlugin(QStringLiteral("Live"), QStringLiteral("1.0"), "/live.xml");
    server.answer("/live.xml", {200, Feed(Item("1.1"))});
    const bool checked = runCheck();
    CTqSystemServicesImpl::Instance().SetMainWindow(nullptr);
    plugin_dialogs::Use(nullptr);
    ASSERT_TRUE(checked);
    EXPECT_EQ(g_asked.parent, &window);
    EXPECT_EQ(g_asked.title, QStringLiteral("Plugin Manager"));
    EXPECT_TRUE(g_asked.text.contains(QStringLiteral("There are 1 new update(s) available."))) << g_asked.text.toStdString();
    EXPECT_TRUE(opened) << "Yes opens the manager";
}

TEST_F(FeedEvaluationTest, WithoutTheDialogsLibraryTheAnnouncementLogsWhy)
{
    plugin_dialogs::Use(nullptr);
    QWidget window;
    CTqSystemServicesImpl::Instance().SetMainWindow(&window);
    manager.announce = nullptr;
    bool opened = false;
    manager.openDialog = [&opened] { opened = true; };
    addPlugin(QStringLiteral("Live"), QStringLiteral("1.0"), "/live.xml");
    server.answer("/live.xml", {200, Feed(Item("1.1"))});
    const bool checked = runCheck();
    CTqSystemServicesImpl::Instance().SetMainWindow(nullptr);
    ASSERT_TRUE(checked);
    EXPECT_FALSE(opened);
    // This program has no dialogs library beside it.
    const QString general = manager.LogTextFor(-1);
    EXPECT_TRUE(general.contains(QStringLiteral("[WNG] The plugin manager's dialogs library could not be loaded")))
        << general.toStdString();
    EXPECT_TRUE(general.contains(plugin_dialogs::LibraryPath())) << general.toStdString();
}

TEST_F(FeedEvaluationTest, FeedThatNeverAnswersDoesNotHoldUpTheOthers)
{
    setSetting(QStringLiteral("FeedTimeout"), QStringLiteral("0.3"));
    addPlugin(QStringLiteral("A_Silent"), QStringLiteral("1.0"), "/silent.xml");
    addPlugin(QStringLiteral("B_Live"), QStringLiteral("1.0"), "/live.xml");
    server.answer("/silent.xml", {200, {}, 0, true});
    server.answer("/live.xml", {200, Feed(Item("1.1"))});
    ASSERT_TRUE(runCheck());
    EXPECT_FALSE(find(QStringLiteral("A_Silent"))->hasUpdate);
    EXPECT_TRUE(find(QStringLiteral("B_Live"))->hasUpdate);
    EXPECT_EQ(announced, std::vector<int>{1});
}

TEST_F(FeedEvaluationTest, HostileFeedChangesNothingButItsPluginsVersionKey)
{
    addPlugin(QStringLiteral("Target"), QStringLiteral("1.0"), "/evil.xml");
    addPlugin(QStringLiteral("Other"), QStringLiteral("1.0"), "/other.xml");
    setSetting(QStringLiteral("plg_Other_sUp"), QStringLiteral("true"));
    server.answer("/other.xml", {500, {}});
    const QByteArray hostileVersion = "9" + QByteArray(20000, 'z') + "&lt;b&gt;";
    server.answer("/evil.xml", {200, Feed(Item(hostileVersion, "18.0", "0", "file:///etc/passwd")
                                          + "<item><title>plg_Other_sUp</title><enclosure sparkle:version=\"99\""
                                            " url=\"http://127.0.0.1/x\"/><coreversion>18.0</coreversion></item>")});
    ASSERT_TRUE(runCheck());
    PluginRecord* target = find(QStringLiteral("Target"));
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->hasUpdate);
    EXPECT_EQ(target->update.version, QStringLiteral("99"));
    EXPECT_EQ(setting(QStringLiteral("plg_Target_pVer")), QStringLiteral("99"));
    EXPECT_EQ(setting(QStringLiteral("plg_Other_sUp")), QStringLiteral("false")) << "only initialisation wrote it";
    EXPECT_EQ(setting(QStringLiteral("plg_Other_pVer")), QStringLiteral("<absent>"));
}

TEST_F(FeedEvaluationTest, PlainHostChecksNoFeeds)
{
    manager.SetMode(HostMode::Plain);
    addPlugin(QStringLiteral("Any"), QStringLiteral("1.0"), "/any.xml");
    manager.InitializePlugins();
    EXPECT_FALSE(manager.FeedCheckPending());
    EXPECT_TRUE(manager.FeedAddresses().isEmpty());
}

TEST_F(FeedEvaluationTest, ManagersOwnFeedComesFirstInTheDeveloperHost)
{
    setSetting(QStringLiteral("ManagerFeedUrl"), server.url(QStringLiteral("/manager.xml")));
    addPlugin(QStringLiteral("P"), QStringLiteral("1.0"), "/p.xml");
    manager.InitializePlugins();
    EXPECT_EQ(manager.FeedAddresses(),
              (QStringList{server.url(QStringLiteral("/manager.xml")), server.url(QStringLiteral("/p.xml"))}));
    manager.SetMode(HostMode::Hexbrook);
    EXPECT_EQ(manager.FeedAddresses(), QStringList{server.url(QStringLiteral("/p.xml"))});
}

}  // namespace
