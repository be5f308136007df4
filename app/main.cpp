#include "browser/FrmBrowser.h"
#include "platform/WebEngineEnvironment.h"
#include "settings/FrmMain.h"
#include "settings/SettingsLocation.h"
#include "settings/SettingsStore.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    const QString sandboxNote = tessaly::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaly"));
    if (!sandboxNote.isEmpty())
        std::fprintf(stderr, "tessaly: %s\n", qPrintable(sandboxNote));

    // The settings window is the start window and its controls are the live settings of
    // the capture window, which it opens with "Begin".
    tessaly::SettingsStore store(tessaly::SettingsLocation::forThisProgram());
    tessaly::FrmMain settings(store);
    tessaly::FrmBrowser capture(settings, store.watermarkFile());
    QObject::connect(&settings, &tessaly::FrmMain::captureWindowRequested, &capture,
                     &tessaly::FrmBrowser::Show);
    settings.show();
    return QApplication::exec();
}
