#include "platform/WebEngineEnvironment.h"
#include "shot/ShotCommand.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    // Every option on the command line is this program's: the toolkit would take --style
    // (and others) as its own, so it gets the program name alone.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QApplication::setApplicationName(QStringLiteral("tessaly-shot"));
    QApplication::setApplicationVersion(QStringLiteral(TESSALY_VERSION));

    // Read before the toolkit starts: help, version and usage errors need no display.
    const tessaly::Result<tessaly::ShotCommandLine> parsed = tessaly::parseShotArguments(arguments);
    if (!parsed) {
        std::fprintf(stderr, "tessaly-shot: %s\nTry 'tessaly-shot --help'.\n",
                     qPrintable(parsed.error()));
        return 2;
    }
    if (const auto *info = std::get_if<tessaly::ShotInfoText>(&*parsed)) {
        std::fputs(qPrintable(info->text), stdout);
        return 0;
    }
    const auto &request = std::get<tessaly::ShotRequest>(*parsed);
    const QStringList notes = tessaly::prepareWebEngineEnvironment();
    // The engine holds back a new document's first paint for a while in case it is quick
    // to come; a process that shows one page only to take it gains nothing by that wait.
    tessaly::disableWebEngineFeature("PaintHolding");
    int toolkitArgc = 1;
    QApplication app(toolkitArgc, argv);
    for (const QString &note : notes)
        std::fprintf(stderr, "tessaly-shot: %s\n", qPrintable(note));
    return tessaly::runShot(request);
}
