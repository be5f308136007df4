#include "capture/CaptureHost.h"

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
                             [note] { note(CaptureHost::tr("the page's renderer ended")); }),
            QObject::connect(view, &BrowserView::PageNotAnswering, view,
                             [note] { note(CaptureHost::tr("the page does not answer")); }),
            QObject::connect(view, &BrowserView::BeforeNavigate2, view,
                             [note](const QString &, const QString &frame) {
                                 if (frame.isEmpty())
                                     note(CaptureHost::tr("the page began loading another address"));
                             }),
            QObject::connect(view, &QObject::destroyed, view,
                             [note] { note(CaptureHost::tr("the browser view was closed")); }),
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

void CaptureHost::Command5_Click()
{
    // Every yield below lets other handlers run; a second press must not start a session
    // inside this one.
    if (m_capturing)
        return;
    Running running(m_capturing);
    m_band = 0;
    m_abortReason.clear();
    const QPointer<BrowserView> view = activeView();
    const Disturbances watch(view, m_abortReason);
    m_cancelled = false;
    m_cancelReason.clear();
    PreparedView prepared(view);

    yield();
    // A view whose renderer ended before the press shows a dead page, not the page.
    if (view && !view->hasRenderer())
        m_abortReason = tr("the page's renderer ended");
    if (view && m_abortReason.isEmpty())
        prepared.prepare();
    PicTemp.clear();
    PicPrepare.clear();
    PageHeight = 0;
    yield();

    // A cancelled capture measures, grabs and walks no further; TakePic then writes nothing.
    if (!m_cancelled)
        GetPageSizes();
    yield();

    // By index: the document-complete handler may append to the list at every yield, and
    // what it appends takes part.
    for (qsizetype i = 0; i < List2.size(); ++i) {
        bool ok = false;
        const double value = List2.at(i).toDouble(&ok);
        if (ok && value > PageHeight)
            PageHeight = roundHalfEven(value);
        yield();
    }
    const double maxTwips = double(MaxPageHeightPixels) * m_twips.PixelTwipsY;
    if (PageHeight > maxTwips)
        PageHeight = roundHalfEven(maxTwips);
    // Refused before the canvas is made: a canvas the machine cannot hold would have the
    // program killed rather than fail.
    if (const QString problem = memoryProblem(); !problem.isEmpty()) {
        List2.clear();
        emit captureFailed(tr("The screenshot was not taken: %1.").arg(problem));
        return;
    }

    if (m_cancelled) {
        // TakePic reports the cancel.
    } else if (PageHeight <= ViewHeight || !view) {
        float top = 0;
        CombinePics(top);
    } else {
        view->setHeight(float(PageHeight));
        view->setTop(0);
        view->setLeft(0);
        yield();
        float top = 0;
        CombinePics(top);

        // The walk moves the view up one container height per band; it also ends when no
        // move is possible (a fractional twips factor can make the remaining height round
        // to exactly one container height) and after at most the bands the page can have.
        const int maxBands = expectedBands() + 2;
        for (int band = 1; band < maxBands && view && m_abortReason.isEmpty() && !m_cancelled;
             ++band) {
            const float p = Picture1Height();
            const float hv = view->Height();
            const float y = view->Top();
            if (float(p - hv) >= y) {
                yield();
                break;
            }
            const std::int32_t r = roundHalfEven(double(hv) + double(y));
            if (p < float(r)) {
                view->setTop(y - p);
                yield();
            } else if (p > float(r)) {
                view->setTop(p - hv);
                yield();
            } else {
                break;
            }
            if (!view || !m_abortReason.isEmpty())
                break;
            // A band that starts where the page's content has ended would show only the
            // measurement's allowance: the page has ended.
            if (const auto end = view->contentHeight();
                end && m_twips.toPixelsY(-view->Top()) >= float(*end))
                break;
            float nextTop = -view->Top();
            CombinePics(nextTop);
            yield();
        }
    }

    // The picture ends where the page's content ends as the walk leaves it (a frame of the
    // canvas takes two rows), never past the measured height.
    if (const auto end = view ? view->contentHeight() : std::nullopt) {
        const int frameRows = PicPrepare.framed() ? 2 : 0;
        const std::int32_t endTwips = roundHalfEven(m_twips.toTwipsY(float(*end + frameRows)));
        PageHeight = std::min(PageHeight, std::max(endTwips, ViewHeight));
    }
    if (view) {
        view->setHeight(float(ViewHeight));
        view->setTop(0);
        view->setLeft(0);
    }
    yield();

    if (!m_abortReason.isEmpty()) {
        // A half-walked or half-changed page is not a screenshot: write nothing.
        PicTemp.clear();
        PicPrepare.clear();
        List2.clear();
        emit captureFailed(tr("The screenshot was not taken: %1.").arg(m_abortReason));
        return;
    }
    const bool saved = TakePic();
    yield();
    List2.clear();
    yield();
    // A capture whose file could not be written does not count.
    if (saved)
        ++CaptureCount;
    yield();
}

} // namespace tessaly
