// A tiny HTTP/1.1 server on 127.0.0.1 for feed and download tests. Each path has a canned answer:
// a status, a body, a delay, or no answer at all. It records the requests it received.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

struct CannedAnswer {
    int status = 200;
    QByteArray body;
    int delayMs = 0;
    bool neverAnswer = false;
    QByteArray contentType = "application/xml";
};

struct ReceivedRequest {
    QByteArray method;
    QByteArray path;
    QMap<QByteArray, QByteArray> headers;  // names in lower case
};

class TestHttpServer : public QTcpServer {
public:
    TestHttpServer()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onRead(socket); });
        });
    }

    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
    }
    void answer(const QByteArray& path, CannedAnswer canned) { m_answers[path] = std::move(canned); }

    QList<ReceivedRequest> requests;

private:
    void onRead(QTcpSocket* socket)
    {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        const int end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        buffer.clear();
        ReceivedRequest request;
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.path = first.value(1);
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers[lines[i].left(colon).trimmed().toLower()] = lines[i].mid(colon + 1).trimmed();
        }
        requests << request;
        const auto found = m_answers.constFind(request.path);
        const CannedAnswer canned = found == m_answers.constEnd() ? CannedAnswer{404, "not found"} : *found;
        if (canned.neverAnswer)
            return;
        QPointer<QTcpSocket> guarded(socket);
        QTimer::singleShot(canned.delayMs, this, [guarded, canned] {
            if (!guarded)
                return;
            QByteArray reply = "HTTP/1.1 " + QByteArray::number(canned.status) + " Canned\r\n";
            reply += "Content-Type: " + canned.contentType + "\r\n";
            reply += "Content-Length: " + QByteArray::number(canned.body.size()) + "\r\n";
            reply += "Connection: close\r\n\r\n";
            reply += canned.body;
            guarded->write(reply);
            guarded->disconnectFromHost();
        });
    }

    QMap<QByteArray, CannedAnswer> m_answers;
    QMap<QTcpSocket*, QByteArray> m_buffers;
};
