#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

/// A server on 127.0.0.1 that answers every connection with `start` (the first bytes of a
/// response, or nothing at all) and never the rest, holding the connections open while it
/// lives. `connected`, when given, runs after each new connection.
class StalledServer
{
public:
    explicit StalledServer(QByteArray start = {}, std::function<void()> connected = {})
    {
        EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost));
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server,
                         [this, start, connected] {
                             while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                                 socket->write(start);
                                 m_held.emplace_back(socket);
                             }
                             if (connected)
                                 connected();
                         });
    }

    QString url() const
    {
        return QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort());
    }
    /// Whether anything has connected yet.
    bool asked() const { return !m_held.empty(); }

    /// An address on which nothing listens: connections to it are refused.
    static QString refusedUrl()
    {
        QTcpServer closed;
        EXPECT_TRUE(closed.listen(QHostAddress::LocalHost));
        const QString url = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
        closed.close();
        return url;
    }

private:
    QTcpServer m_server;
    std::vector<std::unique_ptr<QTcpSocket>> m_held;
};
