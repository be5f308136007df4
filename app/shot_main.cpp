#include "app/ShotCommand.h"
#include "platform/WebEngineEnvironment.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    const QString sandboxNote = tessaly::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaly-shot"));
    QApplication::setApplicationVersion(QStringLiteral(TESSALY_VERSION));

    QString error;
    bool done = false;
    const auto request = tessaly::parseShotArguments(QApplication::arguments(), &error, &done);
    if (!request) {
        if (done)
            return 0;
        std::fprintf(stderr, "tessaly-shot: %s\nTry 'tessaly-shot --help'.\n", qPrintable(error));
        return 2;
    }
    if (!sandboxNote.isEmpty())
        std::fprintf(stderr, "tessaly-shot: %s\n", qPrintable(sandboxNote));
    return tessaly::runShot(*request);
}
