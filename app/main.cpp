#include "browser/FrmBrowser.h"
#include "platform/WebEngineEnvironment.h"
#include "settings/FixedLiveSettings.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char **argv)
{
    const QString sandboxNote = tessaly::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaly"));
    if (!sandboxNote.isEmpty())
        std::fprintf(stderr, "tessaly: %s\n", qPrintable(sandboxNote));

    // Until the settings window is here, captures go to the user's pictures folder as PNG,
    // and the watermark copy is looked for in the program's folder.
    QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (pictures.isEmpty())
        pictures = QDir::homePath();
    QDir().mkpath(pictures);
    tessaly::FixedLiveSettings settings;
    settings.setSaveLocation(QDir(pictures).absolutePath() + u'/');
    settings.setSaveType(QStringLiteral(".png"));

    tessaly::FrmBrowser window(
        settings,
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("watermark.bmp")));
    window.Show();
    return QApplication::exec();
}
