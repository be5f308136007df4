// Serves a folder on 127.0.0.1 for the end-to-end run: prints "port N", then the path of
// every request answered, one per line.
//   tessaly_test_server FOLDER
#include "support/LocalHttpServer.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: tessaly_test_server FOLDER\n", stderr);
        return 2;
    }
    LocalHttpServer server(QString::fromLocal8Bit(argv[1]));
    if (!server.listening())
        return 1;
    std::printf("port %d\n", server.url(QStringLiteral("/")).port());
    std::fflush(stdout);
    QObject::connect(&server, &LocalHttpServer::served, &app, [](const QString &path) {
        std::printf("%s\n", qPrintable(path));
        std::fflush(stdout);
    });
    return QCoreApplication::exec();
}
