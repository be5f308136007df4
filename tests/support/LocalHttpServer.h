#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTcpServer>
#include <QUrl>

/// A small HTTP server on 127.0.0.1 for tests: serves the files of one folder, pages
/// registered by path, "/status/NNN", which answers with that status code, and
/// "/colour/RRGGBB.png", a 100 x 100 picture of that colour. Any address with "delay=MS" in
/// its query is answered that late.
class LocalHttpServer : public QObject
{
    Q_OBJECT
public:
    explicit LocalHttpServer(const QString &root, QObject *parent = nullptr);

    bool listening() const { return m_server.isListening(); }
    QUrl url(const QString &pathAndQuery) const;
    void addPage(const QString &path, const QByteArray &html) { m_pages.insert(path, html); }
    /// `path` answers 401 with a Basic login challenge until a request carries `user` and
    /// `password`.
    void requireLogin(const QString &path, const QByteArray &user, const QByteArray &password)
    {
        m_logins.insert(path, (user + ':' + password).toBase64());
    }
    /// The header lines of the last request for `path` (empty before the first).
    QByteArray lastRequest(const QString &path) const { return m_lastRequests.value(path); }

signals:
    /// A request for `path` has been answered.
    void served(const QString &path);

private:
    void answer(class QTcpSocket *socket);
    void respond(class QTcpSocket *socket, const QString &path, const QByteArray &request);

    QTcpServer m_server;
    QString m_root;
    QHash<QString, QByteArray> m_pages;
    QHash<QString, QByteArray> m_lastRequests;
    QHash<QString, QByteArray> m_logins; ///< path to expected Basic credentials
};
