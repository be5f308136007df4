#include "app/ShotCommand.h"

#include "browser/CaptureStage.h"
#include "browser/WebEngineBrowserView.h"
#include "capture/CaptureHost.h"
#include "imagefile/SaveBitmapAs.h"
#include "settings/FixedLiveSettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QWebEngineView>

#include <cstdio>
#include <unistd.h>

namespace tessaly {

namespace {

void say(const QString &text)
{
    std::fputs(qPrintable(text + u'\n'), stderr);
}

std::optional<int> positiveInt(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value <= 0)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<ShotRequest> parseShotArguments(const QStringList &arguments, QString *error,
                                              bool *helpOrVersion)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Captures a whole web page, however long, into one image file."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("URL"), QStringLiteral("The page to capture."));
    parser.addPositionalArgument(
        QStringLiteral("OUTPUT"),
        QStringLiteral("The image file; its extension (.bmp .gif .jpg .png .tif) picks the format."));
    const QCommandLineOption width(QStringLiteral("width"),
                                   QStringLiteral("Browser area width in pixels (1280)."),
                                   QStringLiteral("PX"));
    const QCommandLineOption height(QStringLiteral("height"),
                                    QStringLiteral("Browser area height in pixels (700)."),
                                    QStringLiteral("PX"));
    const QCommandLineOption watermark(QStringLiteral("watermark"),
                                       QStringLiteral("Stamp this bitmap centred on the first screen."),
                                       QStringLiteral("FILE"));
    parser.addOptions({width, height, watermark});

    *helpOrVersion = false;
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        *helpOrVersion = true;
        std::fputs(qPrintable(parser.helpText()), stdout);
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        *helpOrVersion = true;
        std::fputs(qPrintable(QCoreApplication::applicationName() + u' ' +
                              QCoreApplication::applicationVersion() + u'\n'),
                   stdout);
        return std::nullopt;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2) {
        *error = QStringLiteral("expected URL and OUTPUT");
        return std::nullopt;
    }
    ShotRequest request;
    request.url = positional.at(0);
    request.output = positional.at(1);
    for (const auto &[option, target] :
         {std::pair{&width, &request.browserArea.rwidth()},
          std::pair{&height, &request.browserArea.rheight()}}) {
        if (!parser.isSet(*option))
            continue;
        const auto value = positiveInt(parser.value(*option));
        if (!value || *value > 16384) {
            *error = QStringLiteral("--%1 takes a whole number of pixels from 1 to 16384")
                         .arg(option->names().constFirst());
            return std::nullopt;
        }
        *target = *value;
    }
    request.watermark = parser.value(watermark);
    if (SaveBitmapAs::mimeTypeForFileName(request.output).isEmpty()) {
        *error = QStringLiteral("%1: the file name must end in .bmp, .gif, .jpg, .png or .tif")
                     .arg(request.output);
        return std::nullopt;
    }
    return request;
}

int runShot(const ShotRequest &request)
{
    const QFileInfo output(request.output);
    const QFileInfo folder(output.absolutePath());
    if (!folder.isDir() || !folder.isWritable()) {
        say(QStringLiteral("tessaly-shot: cannot write into %1").arg(folder.filePath()));
        return 1;
    }

    CaptureStage stage(request.browserArea);
    stage.show();
    WebEngineBrowserView *view = stage.view();

    // Load the page, bounded.
    QEventLoop loading;
    bool loaded = false;
    QString loadError;
    QObject::connect(view->engineView(), &QWebEngineView::loadFinished, &loading, [&](bool ok) {
        loaded = ok;
        if (!ok && loadError.isEmpty())
            loadError = QStringLiteral("the page could not be loaded");
        loading.quit();
    });
    QObject::connect(view, &BrowserView::NavigateError, &loading,
                     [&](const QString &, const QString &, int code) {
                         loadError = QStringLiteral("the page could not be loaded (error %1)").arg(code);
                     });
    QObject::connect(view, &BrowserView::RendererGone, &loading, [&] {
        loadError = QStringLiteral("the page's renderer ended while loading");
        loading.quit();
    });
    QTimer::singleShot(request.loadTimeoutMs, &loading, [&] {
        loadError = QStringLiteral("the page did not finish loading in %1 s")
                        .arg(request.loadTimeoutMs / 1000);
        loading.quit();
    });
    view->Navigate(request.url);
    loading.exec();
    if (!loaded) {
        say(QStringLiteral("tessaly-shot: %1: %2").arg(request.url, loadError));
        return 1;
    }

    SaveBitmapAs writer;
    writer.StartGdiplus(1);
    FixedLiveSettings settings;
    CaptureHost host(&stage, stage.container(), writer, settings);
    host.WebBrowser1.push_back(view);
    host.setFileNameSource([&] { return output.absoluteFilePath(); });
    if (!request.watermark.isEmpty()) {
        QString why;
        if (!host.loadWatermark(request.watermark, &why)) {
            say(QStringLiteral("tessaly-shot: cannot read the watermark %1: %2").arg(request.watermark, why));
            return 1;
        }
        settings.setWatermarkSwitch(1);
    }

    const bool terminal = isatty(fileno(stderr));
    QObject::connect(&host, &CaptureHost::bandCaptured, &host, [terminal](int band, int bands) {
        if (terminal && bands > 1)
            std::fprintf(stderr, "\rCapturing band %d of %d", band, bands);
    });
    bool saved = false;
    QString failure;
    QObject::connect(&host, &CaptureHost::captureSaved, &host, [&](const QString &) { saved = true; });
    QObject::connect(&host, &CaptureHost::captureFailed, &host,
                     [&](const QString &message) { failure = message; });
    host.Command5_Click();
    if (terminal)
        std::fputs("\n", stderr);
    writer.StopGdiplus();
    if (!saved) {
        say(QStringLiteral("tessaly-shot: ") + failure);
        return 1;
    }
    return 0;
}

} // namespace tessaly
