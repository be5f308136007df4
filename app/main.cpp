#include "app/ProgramWindows.h"
#include "platform/WebEngineEnvironment.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    const QStringList notes = tessaly::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaly"));
    for (const QString &note : notes)
        std::fprintf(stderr, "tessaly: %s\n", qPrintable(note));

    tessaly::ProgramWindows windows(tessaly::SettingsLocation::forThisProgram());
    windows.show();
    return QApplication::exec();
}
