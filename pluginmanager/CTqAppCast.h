// The update feed reader: fetches RSS feeds with Sparkle extensions one after the other through
// the host's network service, each within its timeout, and keeps what they offer. Everything a
// feed says is bounded in size and count before it is kept.
#pragma once

#include "pluginmanager/plugin_export.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <map>
#include <vector>

class QNetworkReply;
class QNetworkRequest;
class QUrl;

struct AppCastItem {
    QString title;
    QString releaseNotesLink;
    QString pubDate;
    int os = 0;
    QString coreVersion;
    QString version;  // enclosure "sparkle:version"
    QString url;      // enclosure "url"
    QString type;     // enclosure "type"
    QString edSignature;  // enclosure "sparkle:edSignature"
    qint64 length = 0;    // enclosure "length"
};

struct AppCastChannel {
    QString title;
    QString link;
    QString description;
    QString language;
    std::vector<AppCastItem> items;
};

class CTqAppCast : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kUserAgent = "DOR Idevive 1.0";
    static constexpr qint64 kMaxFeedBytes = 1024 * 1024;
    static constexpr int kMaxChannels = 16;
    static constexpr int kMaxItems = 512;
    static constexpr int kMaxTextLength = 4096;

    explicit CTqAppCast(QObject* parent = nullptr);
    ~CTqAppCast() override;

    // Fetches the addresses in order, each within timeoutSeconds; emits signalAppCastFinished
    // when the last one is done (at once, from the event loop, for an empty list). A running
    // fetch is cancelled first.
    void Start(const QStringList& addresses, double timeoutSeconds);
    // Stops fetching without emitting the signal.
    void Cancel();
    bool IsRunning() const { return m_running; }

    // What the feed at that address offered; empty when it could not be fetched or parsed.
    std::vector<AppCastChannel> ChannelsOf(const QString& address) const;

    // The channels of a feed document; empty for broken XML.
    static std::vector<AppCastChannel> Parse(const QByteArray& body);
    // A GET request with the reader's "User-Agent" header; only http and https addresses are
    // valid.
    PLUGINMANAGER_EXPORT static QNetworkRequest MakeRequest(const QUrl& url);
    PLUGINMANAGER_EXPORT static bool IsWebAddress(const QUrl& url);

signals:
    void signalAppCastFinished();

private slots:
    void onReplyFinished();
    void onTimeout();
    void onDownloadProgress(qint64 received, qint64 total);

private:
    void FetchNext();
    void Done(const QByteArray& body);

    QStringList m_pending;
    QString m_current;
    QPointer<QNetworkReply> m_reply;
    QTimer m_timer;
    int m_timeoutMs = 45000;
    bool m_running = false;
    std::map<QString, std::vector<AppCastChannel>> m_results;
};
