// The update feed reader.
#include "pluginmanager/CTqAppCast.h"

#include "host/CTqSystemServices.h"

#include <QDomDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <algorithm>

namespace {

QString Bounded(const QString& text)
{
    return text.left(CTqAppCast::kMaxTextLength);
}

// The text of the first child node of the named child element; empty when missing.
QString ChildText(const QDomElement& parent, const QString& name)
{
    return Bounded(parent.firstChildElement(name).firstChild().nodeValue());
}

AppCastItem ReadItem(const QDomElement& element)
{
    AppCastItem item;
    item.title = ChildText(element, QStringLiteral("title"));
    item.releaseNotesLink = ChildText(element, QStringLiteral("sparkle:releaseNotesLink"));
    item.pubDate = ChildText(element, QStringLiteral("pubDate"));
    item.os = ChildText(element, QStringLiteral("os")).trimmed().toInt(nullptr, 10);
    item.coreVersion = ChildText(element, QStringLiteral("coreversion"));
    const QDomElement enclosure = element.firstChildElement(QStringLiteral("enclosure"));
    item.version = Bounded(enclosure.attribute(QStringLiteral("sparkle:version")));
    item.url = Bounded(enclosure.attribute(QStringLiteral("url")));
    item.type = Bounded(enclosure.attribute(QStringLiteral("type")));
    item.edSignature = Bounded(enclosure.attribute(QStringLiteral("sparkle:edSignature")));
    item.length = qMax<qint64>(0, enclosure.attribute(QStringLiteral("length")).toLongLong());
    return item;
}

}  // namespace

CTqAppCast::CTqAppCast(QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CTqAppCast::onTimeout);
}

CTqAppCast::~CTqAppCast()
{
    Cancel();
}

bool CTqAppCast::IsWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QNetworkRequest CTqAppCast::MakeRequest(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setRawHeader("User-Agent", kUserAgent);
    // A redirect may not lead from https to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    return request;
}

std::vector<AppCastChannel> CTqAppCast::Parse(const QByteArray& body)
{
    std::vector<AppCastChannel> channels;
    QDomDocument document;
    if (body.size() > kMaxFeedBytes || !document.setContent(body))
        return channels;
    const QDomNodeList list = document.elementsByTagName(QStringLiteral("channel"));
    for (int c = 0; c < list.size() && int(channels.size()) < kMaxChannels; ++c) {
        const QDomElement element = list.item(c).toElement();
        if (!element.hasChildNodes())
            continue;
        AppCastChannel channel;
        channel.title = ChildText(element, QStringLiteral("title"));
        channel.link = ChildText(element, QStringLiteral("link"));
        channel.description = ChildText(element, QStringLiteral("description"));
        channel.language = ChildText(element, QStringLiteral("language"));
        for (QDomElement child = element.firstChildElement(); !child.isNull() && int(channel.items.size()) < kMaxItems;
             child = child.nextSiblingElement()) {
            if (child.tagName().compare(QLatin1String("item"), Qt::CaseInsensitive) != 0 || !child.hasChildNodes())
                continue;
            channel.items.push_back(ReadItem(child));
        }
        channels.push_back(std::move(channel));
    }
    return channels;
}

void CTqAppCast::Start(const QStringList& addresses, double timeoutSeconds)
{
    Cancel();
    m_pending = addresses;
    m_results.clear();
    m_timeoutMs = int(std::clamp(timeoutSeconds, 0.01, 3600.0) * 1000.0);
    m_running = true;
    // The signal never arrives before the caller returns, even for an empty list.
    QTimer::singleShot(0, this, &CTqAppCast::FetchNext);
}

void CTqAppCast::Cancel()
{
    m_timer.stop();
    m_pending.clear();
    m_running = false;
    if (QNetworkReply* reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void CTqAppCast::FetchNext()
{
    if (!m_running)
        return;
    while (!m_pending.isEmpty()) {
        m_current = m_pending.takeFirst();
        const QUrl url(m_current);
        CTqSystemServices* services = GetTqSystemServices();
        QNetworkAccessManager* network = services ? services->NetworkAccess() : nullptr;
        if (!network || !IsWebAddress(url))
            continue;
        m_reply = network->get(MakeRequest(url));
        connect(m_reply, &QNetworkReply::finished, this, &CTqAppCast::onReplyFinished);
        connect(m_reply, &QNetworkReply::downloadProgress, this, &CTqAppCast::onDownloadProgress);
        m_timer.start(m_timeoutMs);
        return;
    }
    m_running = false;
    emit signalAppCastFinished();
}

void CTqAppCast::onDownloadProgress(qint64 received, qint64 total)
{
    // An oversized feed is cut off instead of being held in memory.
    if (received > kMaxFeedBytes || total > kMaxFeedBytes) {
        if (m_reply)
            m_reply->abort();
    }
}

void CTqAppCast::onReplyFinished()
{
    QNetworkReply* reply = m_reply;
    if (!reply || sender() != reply)
        return;
    m_timer.stop();
    m_reply = nullptr;
    const int httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QByteArray body;
    if (reply->error() == QNetworkReply::NoError && httpStatus >= 200 && httpStatus < 300)
        body = reply->read(kMaxFeedBytes + 1);
    reply->deleteLater();
    Done(body);
}

void CTqAppCast::onTimeout()
{
    if (QNetworkReply* reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    Done({});
}

void CTqAppCast::Done(const QByteArray& body)
{
    std::vector<AppCastChannel> channels = Parse(body);
    if (!channels.empty())
        m_results[m_current] = std::move(channels);
    FetchNext();
}

std::vector<AppCastChannel> CTqAppCast::ChannelsOf(const QString& address) const
{
    const auto found = m_results.find(address);
    return found == m_results.end() ? std::vector<AppCastChannel>{} : found->second;
}
