#include "capture/CaptureSession.h"

#include "base/EventYield.h"
#include "capture/CaptureReport.h"
#include "capture/CaptureState.h"
#include "capture/PageMeasurement.h"
#include "capture/StitchingCanvas.h"
#include "capture/TileFinishing.h"

#include <QPointer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tessaly {

namespace {

// Clears a flag when the session ends, however it ends.
class Running
{
public:
    explicit Running(bool &flag) : m_flag(flag) { m_flag = true; }
    ~Running() { m_flag = false; }
    Running(const Running &) = delete;
    Running &operator=(const Running &) = delete;

private:
    bool &m_flag;
};

// Gives a prepared view back to the page as it was when the session ends, however it ends.
class PreparedView
{
public:
    explicit PreparedView(const QPointer<BrowserView> &view) : m_view(view) {}
    ~PreparedView()
    {
        if (m_prepared && m_view)
            m_view->finishCapture();
    }
    PreparedView(const PreparedView &) = delete;
    PreparedView &operator=(const PreparedView &) = delete;

    void prepare()
    {
        m_view->prepareForCapture();
        m_prepared = true;
    }

private:
    const QPointer<BrowserView> &m_view;
    bool m_prepared = false;
};

// Watches the view a session walks: a renderer that ends, a page that starts loading
// another address or a view that goes away leaves nothing worth saving.
class Disturbances
{
public:
    Disturbances(BrowserView *view, QString &reason)
    {
        if (!view)
            return;
        const auto note = [&reason](const QString &why) {
            if (reason.isEmpty())
                reason = why;
        };
        m_connections = {
            QObject::connect(view, &BrowserView::RendererGone, view,
                             [note] { note(CaptureSession::tr("the page's renderer ended")); }),
            QObject::connect(view, &BrowserView::PageNotAnswering, view,
                             [note] { note(CaptureSession::tr("the page does not answer")); }),
            QObject::connect(view, &BrowserView::BeforeNavigate2, view,
                             [note](const QString &, const QString &frame) {
                                 if (frame.isEmpty())
                                     note(CaptureSession::tr(
                                         "the page began loading another address"));
                             }),
            QObject::connect(view, &QObject::destroyed, view,
                             [note] { note(CaptureSession::tr("the browser view was closed")); }),
        };
    }
    ~Disturbances()
    {
        for (const QMetaObject::Connection &connection : m_connections)
            QObject::disconnect(connection);
    }
    Disturbances(const Disturbances &) = delete;
    Disturbances &operator=(const Disturbances &) = delete;

private:
    std::vector<QMetaObject::Connection> m_connections;
};

} // namespace

CaptureSession::CaptureSession(CaptureState &state, PageMeasurement &measurement,
                               StitchingCanvas &canvas, TileFinishing &finishing,
                               CaptureReport &report)
    : m_state(state), m_measurement(measurement), m_canvas(canvas), m_finishing(finishing),
      m_report(report)
{
}

void CaptureSession::cancel(const QString &reason)
{
    if (!m_state.capturing || m_state.cancelled)
        return;
    m_state.cancelled = true;
    m_state.cancelReason = reason;
    if (BrowserView *view = m_state.activeView())
        view->interruptWaits();
}

void CaptureSession::Command5_Click()
{
    // Every yield below lets other handlers run; a second press must not start a session
    // inside this one.
    if (m_state.capturing)
        return;
    Running running(m_state.capturing);
    m_state.band = 0;
    m_state.abortReason.clear();
    const QPointer<BrowserView> view = m_state.activeView();
    const Disturbances watch(view, m_state.abortReason);
    m_state.cancelled = false;
    m_state.cancelReason.clear();
    PreparedView prepared(view);

    yieldToEvents();
    // A view whose renderer ended before the press shows a dead page, not the page.
    if (view && !view->hasRenderer())
        m_state.abortReason = tr("the page's renderer ended");
    if (view && m_state.abortReason.isEmpty())
        prepared.prepare();
    m_state.PicTemp.clear();
    m_state.PageHeight = 0;
    yieldToEvents();

    // A cancelled capture measures, grabs and walks no further; TakePic then writes nothing.
    if (!m_state.cancelled)
        m_measurement.GetPageSizes();
    yieldToEvents();

    // By index: the document-complete handler may append to the list at every yield, and
    // what it appends takes part.
    for (qsizetype i = 0; i < m_state.List2.size(); ++i) {
        bool ok = false;
        const double value = m_state.List2.at(i).toDouble(&ok);
        if (ok && value > m_state.PageHeight)
            m_state.PageHeight = roundHalfEven(value);
        yieldToEvents();
    }
    // The file is started at the measured size before the first band: the walk's rows go
    // to it as they come.
    if (!m_state.cancelled) {
        if (const Result<void> started = m_finishing.startPicture(); !started) {
            m_state.List2.clear();
            m_report.reportFailure(started.error());
            return;
        }
    }

    if (m_state.cancelled) {
        // TakePic reports the cancel.
    } else if (m_state.PageHeight <= m_state.ViewHeight || !view) {
        float top = 0;
        m_canvas.CombinePics(top);
    } else {
        view->setHeight(float(m_state.PageHeight));
        view->setTop(0);
        view->setLeft(0);
        yieldToEvents();
        float top = 0;
        m_canvas.CombinePics(top);

        // The walk moves the view up one container height per band; it also ends when no
        // move is possible (a fractional twips factor can make the remaining height round
        // to exactly one container height) and after at most the bands the page can have.
        const int maxBands = m_state.expectedBands() + 2;
        for (int band = 1; band < maxBands && view && m_state.abortReason.isEmpty() &&
                           !m_state.cancelled && !m_state.canvasRows.failed();
             ++band) {
            const float p = m_state.Picture1Height();
            const float hv = view->Height();
            const float y = view->Top();
            if (float(p - hv) >= y) {
                yieldToEvents();
                break;
            }
            const std::int32_t r = roundHalfEven(double(hv) + double(y));
            if (p < float(r)) {
                view->setTop(y - p);
                yieldToEvents();
            } else if (p > float(r)) {
                view->setTop(p - hv);
                yieldToEvents();
            } else {
                break;
            }
            if (!view || !m_state.abortReason.isEmpty())
                break;
            // A band that starts where the page's content has ended would show only the
            // measurement's allowance: the page has ended.
            if (const auto end = view->contentHeight();
                end && m_state.twips.toPixelsY(-view->Top()) >= float(*end))
                break;
            float nextTop = -view->Top();
            m_canvas.CombinePics(nextTop);
            yieldToEvents();
        }
    }

    // The picture ends where the page's content ends as the walk leaves it (a frame of the
    // canvas takes two rows), never past the measured height.
    if (const auto end = view ? view->contentHeight() : std::nullopt) {
        const int frameRows = m_state.PicPrepare.framed() ? 2 : 0;
        const std::int32_t endTwips =
            roundHalfEven(m_state.twips.toTwipsY(float(*end + frameRows)));
        m_state.PageHeight = std::min(m_state.PageHeight, std::max(endTwips, m_state.ViewHeight));
    }
    if (view) {
        view->setHeight(float(m_state.ViewHeight));
        view->setTop(0);
        view->setLeft(0);
    }
    yieldToEvents();

    if (!m_state.abortReason.isEmpty()) {
        // A half-walked or half-changed page is not a screenshot: write nothing.
        m_state.PicTemp.clear();
        m_finishing.abandonPicture();
        m_state.List2.clear();
        m_report.reportFailure(tr("The screenshot was not taken: %1.").arg(m_state.abortReason));
        return;
    }
    const Result<QString> written = m_finishing.TakePic();
    if (written) {
        m_state.Label6 =
            QStringLiteral("Screens Captured: %1").arg(qint64(m_state.CaptureCount) + 1);
        m_report.reportLabel6(m_state.Label6);
        m_report.reportSaved(*written);
    } else {
        m_report.reportFailure(written.error());
    }
    yieldToEvents();
    m_state.List2.clear();
    yieldToEvents();
    // A capture whose file could not be written does not count.
    if (written)
        ++m_state.CaptureCount;
    yieldToEvents();
}

} // namespace tessaly
