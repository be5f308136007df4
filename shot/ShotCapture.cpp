#include "shot/ShotCapture.h"

#include "browser/CaptureStage.h"
#include "browser/PageScripts.h"
#include "browser/WebEngineBrowserView.h"
#include "capture/CaptureHost.h"
#include "capture/ElementCrop.h"
#include "capture/FixedLiveSettings.h"
#include "imagefile/SaveBitmapAs.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QWebEngineView>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace tessaly {

namespace {

constexpr int ScriptTimeoutMs = 3000;

} // namespace

ShotCapture::ShotCapture(ShotRequest request, QWebEngineProfile *profile)
    : m_request(std::move(request)), m_profile(profile)
{
}

int ShotCapture::within(int bound) const
{
    if (m_deadline.isForever())
        return bound;
    return int(std::clamp<qint64>(m_deadline.remainingTime(), 1, bound));
}

int ShotCapture::stepBound() const
{
    return m_deadline.isForever() ? m_request.stepTimeoutMs : within(INT_MAX);
}

bool ShotCapture::expired() const
{
    return !m_deadline.isForever() && m_deadline.hasExpired();
}

QString ShotCapture::timedOut(const QString &doing) const
{
    return QStringLiteral("%1: gave up after %2 s (--timeout) %3")
        .arg(m_request.url)
        .arg(m_request.timeoutMs / 1000.0)
        .arg(doing);
}

Failure ShotCapture::failedStep(const QString &doing, const QString &why) const
{
    return fail(expired() ? timedOut(doing) : QStringLiteral("%1: %2").arg(m_request.url, why));
}

Result<void> ShotCapture::run()
{
    const QFileInfo output(m_request.output);
    const QFileInfo folder(output.absolutePath());
    if (!folder.isDir() || !folder.isWritable())
        return fail(QStringLiteral("cannot write into %1").arg(folder.filePath()));

    m_deadline = m_request.timeoutMs > 0 ? QDeadlineTimer(m_request.timeoutMs)
                                         : QDeadlineTimer(QDeadlineTimer::Forever);
    // A sharper picture: a browser area N times as large, with the page zoomed N times,
    // lays the page out at the width asked for and draws it with N device pixels per CSS
    // pixel. The capture itself then works in those device pixels throughout.
    CaptureStage stage(m_request.browserArea * m_request.scale, m_profile);
    stage.view()->engineView()->setZoomFactor(m_request.scale);
    stage.show();

    Result<void> done = load(stage);
    if (done)
        done = prepare(stage);
    if (done)
        done = capture(stage);
    stage.view()->Stop();
    return done;
}

Result<void> ShotCapture::load(CaptureStage &stage)
{
    WebEngineBrowserView *view = stage.view();
    QEventLoop loading;
    bool loaded = false;
    bool outOfTime = false;
    QString loadError;
    QObject::connect(view->engineView(), &QWebEngineView::loadFinished, &loading, [&](bool ok) {
        loaded = ok;
        if (!ok && loadError.isEmpty())
            loadError = QStringLiteral("the page could not be loaded");
        loading.quit();
    });
    QObject::connect(view, &BrowserView::NavigateError, &loading,
                     [&](const QString &, const QString &, int code) {
                         loadError =
                             QStringLiteral("the page could not be loaded (error %1)").arg(code);
                     });
    QObject::connect(view, &BrowserView::RendererGone, &loading, [&] {
        loadError = QStringLiteral("the page's renderer ended while loading");
        loading.quit();
    });
    QTimer::singleShot(stepBound(), &loading, [&] {
        outOfTime = true;
        loading.quit();
    });
    view->Navigate(m_request.url);
    loading.exec();
    if (loaded)
        return {};
    view->Stop();
    if (outOfTime && !m_deadline.isForever())
        return fail(timedOut(QStringLiteral("while the page was loading")));
    if (outOfTime)
        return fail(QStringLiteral("%1: the page did not finish loading in %2 s")
                        .arg(m_request.url)
                        .arg(m_request.stepTimeoutMs / 1000));
    return fail(QStringLiteral("%1: %2").arg(m_request.url, loadError));
}

Result<void> ShotCapture::prepare(CaptureStage &stage)
{
    const PageScripts scripts(stage.view()->engineView()->page());
    const bool styled = !m_request.style.isEmpty() || !m_request.hide.isEmpty();
    const auto style = [&]() -> Result<void> {
        if (!styled)
            return {};
        const Result<void> put =
            scripts.applyStyle(m_request.style, m_request.hide, within(ScriptTimeoutMs));
        if (!put)
            return failedStep(QStringLiteral("while styling the page"), put.error());
        return {};
    };
    if (Result<void> styledNow = style(); !styledNow)
        return styledNow;

    if (!m_request.javascript.isEmpty()) {
        if (const Result<void> ran = scripts.runUserScript(m_request.javascript, stepBound()); !ran)
            return failedStep(QStringLiteral("while --javascript ran"), ran.error());
    }

    if (!m_request.waitFor.isEmpty()) {
        const auto waited = scripts.waitUntilTrue(m_request.waitFor, stepBound());
        if (waited != PageScripts::Wait::True) {
            const QString how = waited == PageScripts::Wait::NotYet
                                    ? QStringLiteral("--wait-for was not true yet")
                                    : QStringLiteral("--wait-for never gave a value: is it a "
                                                     "JavaScript expression?");
            return fail(expired() ? timedOut(QStringLiteral("while waiting: ") + how)
                                  : QStringLiteral("%1: %2 after %3 s")
                                        .arg(m_request.url, how)
                                        .arg(m_request.stepTimeoutMs / 1000));
        }
    }

    if (m_request.waitMs > 0) {
        const bool fits = m_deadline.isForever() || m_deadline.remainingTime() > m_request.waitMs;
        QEventLoop pause;
        QTimer::singleShot(within(m_request.waitMs), &pause, &QEventLoop::quit);
        pause.exec();
        if (!fits)
            return fail(timedOut(QStringLiteral("during --wait")));
    }

    // Frames that appeared while the page was waited for get the style too.
    if (Result<void> styledAgain = style(); !styledAgain)
        return styledAgain;

    // Fail before the capture, not after it, when the element is not there at all.
    if (!m_request.selector.isEmpty()) {
        const Result<QRectF> box = scripts.elementBox(m_request.selector, within(ScriptTimeoutMs));
        if (!box)
            return failedStep(QStringLiteral("while looking for --selector"), box.error());
        m_elementBox = *box;
    }
    if (expired())
        return fail(timedOut(QStringLiteral("before the capture")));
    return {};
}

Result<void> ShotCapture::capture(CaptureStage &stage)
{
    WebEngineBrowserView *view = stage.view();
    const QString outputPath = QFileInfo(m_request.output).absoluteFilePath();
    SaveBitmapAs writer;
    if (Result<void> started = writer.StartGdiplus(1); !started)
        return started;
    writer.setQuality(m_request.quality);
    FixedLiveSettings settings;
    CaptureHost host(&stage, stage.container(), writer, settings);
    host.addView(view);
    host.setFileNameSource([outputPath] { return outputPath; });
    if (!m_request.watermark.isEmpty()) {
        if (const Result<void> loaded = host.loadWatermark(m_request.watermark); !loaded)
            return fail(QStringLiteral("cannot read the watermark %1: %2")
                            .arg(m_request.watermark, loaded.error()));
    }

    const bool cropped = !m_request.selector.isEmpty();
    // The canvas's frame would take the element's outermost columns where it meets the edge.
    host.setCanvasFramed(!cropped);
    // A picture cut to an element gets its marks on the cut, where they can be seen.
    host.setBannerStamped(m_request.banner && !cropped);
    settings.setWatermarkSwitch(!m_request.watermark.isEmpty() && !cropped ? 1 : 0);
    const PageScripts scripts(view->engineView()->page());
    if (cropped) {
        host.setOutputStep([&, this](const Picture &page) -> Result<Picture> {
            // Measured after the walk, when everything the capture waited for has loaded and
            // the page is laid out as it was captured.
            const Result<QRectF> box =
                scripts.elementBox(m_request.selector, within(ScriptTimeoutMs));
            if (!box)
                return fail(QStringLiteral("%1: %2").arg(m_request.url, box.error()));
            ElementMarks marks;
            if (!m_request.watermark.isEmpty())
                marks.watermark = &host.picWatermark1();
            marks.firstScreenHeight = stage.container()->height();
            if (m_request.banner)
                marks.banner = &host.picWatermarkMain();
            Result<Picture> picture = cropToElement(page, *box, view->cssScale(), marks);
            if (!picture)
                return fail(QStringLiteral("%1: %2").arg(m_request.url, picture.error()));
            return picture;
        });
    }

    const bool terminal = isatty(fileno(stderr));
    QObject::connect(&host, &CaptureHost::bandCaptured, &host, [terminal](int band, int bands) {
        if (terminal && bands > 1)
            std::fprintf(stderr, "\rCapturing band %d of %d", band, bands);
    });
    bool saved = false;
    QString failure;
    QObject::connect(&host, &CaptureHost::captureSaved, &host,
                     [&](const QString &) { saved = true; });
    QObject::connect(&host, &CaptureHost::captureFailed, &host,
                     [&](const QString &message) { failure = message; });
    // The session yields to the event loop throughout: the deadline ends it at its next step.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &host, [&] {
        view->Stop();
        host.cancelCapture(timedOut(QStringLiteral("while capturing")));
    });
    if (!m_deadline.isForever())
        deadline.start(within(INT_MAX));
    // The page's measured height leaves out what is positioned outside the body's flow:
    // the canvas must reach at least to the element's end.
    if (m_elementBox)
        host.AddHeightCandidate(float(std::ceil(m_elementBox->bottom() * view->cssScale())));
    host.Command5_Click();
    deadline.stop();
    if (terminal)
        std::fputs("\n", stderr);
    writer.StopGdiplus();
    if (!saved)
        return fail(failure.isEmpty() ? QStringLiteral("%1: the capture failed").arg(m_request.url)
                                      : failure);
    return {};
}

} // namespace tessaly
