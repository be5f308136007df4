#include "support/LocalHttpServer.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>

LocalHttpServer::LocalHttpServer(const QString &root, QObject *parent)
    : QObject(parent), m_root(root)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    m_server.listen(QHostAddress::LocalHost, 0);
}

QUrl LocalHttpServer::url(const QString &pathAndQuery) const
{
    return QUrl(
        QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(pathAndQuery));
}

void LocalHttpServer::answer(QTcpSocket *socket)
{
    const QByteArray request = socket->peek(8192);
    if (!request.contains("\r\n\r\n"))
        return; // wait for the whole header
    socket->readAll();
    const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
    const QUrl address = words.size() > 1 ? QUrl(QString::fromLatin1(words.at(1))) : QUrl();
    const QString path = address.path();
    m_lastRequests.insert(path, request.left(request.indexOf("\r\n\r\n")));
    const int delay = QUrlQuery(address).queryItemValue(QStringLiteral("delay")).toInt();
    if (delay <= 0)
        return respond(socket, path, request);
    const QPointer<QTcpSocket> alive(socket);
    QTimer::singleShot(delay, this, [this, alive, path, request] {
        if (alive)
            respond(alive, path, request);
    });
}

void LocalHttpServer::respond(QTcpSocket *socket, const QString &path, const QByteArray &request)
{
    int status = 200;
    QByteArray body;
    QByteArray type = "text/html; charset=utf-8";
    QByteArray extraHeaders;
    if (m_logins.contains(path) &&
        !request.contains("\r\nAuthorization: Basic " + m_logins.value(path) + "\r\n")) {
        status = 401;
        body = "<!doctype html><title>login needed</title><p>login needed";
        extraHeaders = "WWW-Authenticate: Basic realm=\"Tessaly test\"\r\n";
    } else if (path.startsWith(QStringLiteral("/status/"))) {
        status = path.mid(8).toInt();
        body = "<!doctype html><title>status</title><p>status " + QByteArray::number(status);
    } else if (path.startsWith(QStringLiteral("/colour/"))) {
        QImage picture(100, 100, QImage::Format_RGB32);
        picture.fill(QColor(QLatin1Char('#') + path.mid(8, 6)));
        QBuffer buffer(&body);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        type = "image/png";
    } else if (m_pages.contains(path)) {
        body = m_pages.value(path);
    } else {
        const QString file = QDir(m_root).filePath(path.mid(1));
        QFile f(file);
        if (!path.contains(QStringLiteral("..")) && f.open(QIODevice::ReadOnly)) {
            body = f.readAll();
            if (file.endsWith(QStringLiteral(".png")))
                type = "image/png";
        } else {
            status = 404;
            body = "<!doctype html><title>not found</title>";
        }
    }
    QByteArray response = "HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: " + type +
                          "\r\nContent-Length: " + QByteArray::number(body.size()) +
                          "\r\nConnection: close\r\nCache-Control: no-store\r\n" + extraHeaders +
                          "\r\n" + body;
    socket->write(response);
    socket->disconnectFromHost();
    emit served(path);
}
