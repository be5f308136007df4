// Takes the pictures of the two windows shown in the README:
//   tessaly_window_pictures SAMPLE_PAGE.html OUT_FOLDER
// Run it under a display (scripts/window-pictures.sh uses Xvfb).
#include "browser/FrmBrowser.h"
#include "capture/CaptureHost.h"
#include "platform/WebEngineEnvironment.h"
#include "settings/SettingsLocation.h"
#include "settings/SettingsStore.h"
#include "settingswindow/FrmMain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <cstdio>

int main(int argc, char **argv)
{
    tessaly::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: tessaly_window_pictures SAMPLE_PAGE.html OUT_FOLDER\n", stderr);
        return 2;
    }
    const QString page = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir folder;
    tessaly::SettingsStore store(
        tessaly::SettingsLocation(folder.path(), folder.filePath(QStringLiteral("config"))));
    for (const tessaly::Result<void> &written :
         {store.setSaveLocation(QDir::homePath() + QStringLiteral("/Pictures/Tessaly/")),
          store.setSaveType(QStringLiteral(".png"))}) {
        if (!written) {
            std::fprintf(stderr, "%s\n", qPrintable(written.error()));
            return 1;
        }
    }
    tessaly::FrmMain settings(store);
    settings.move(40, 40);
    settings.show();
    tessaly::FrmBrowser capture(settings, store.watermarkFile());
    capture.Show();
    capture.move(40, 340);
    if (tessaly::BrowserView *view = capture.host() ? capture.host()->activeView() : nullptr)
        view->Navigate(QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()).toString());

    // The sample page is local: a few seconds are plenty for it to load and draw.
    QTimer::singleShot(5000, &app, [&] {
        const bool ok = settings.grab().save(out.filePath(QStringLiteral("settings-window.png"))) &&
                        capture.grab().save(out.filePath(QStringLiteral("capture-window.png")));
        QApplication::exit(ok ? 0 : 1);
    });
    return QApplication::exec();
}
