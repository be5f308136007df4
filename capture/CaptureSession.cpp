#include "capture/CaptureHost.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

} // namespace

void CaptureHost::Command5_Click()
{
    // Every yield below lets other handlers run; a second press must not start a session
    // inside this one.
    if (m_capturing)
        return;
    Running running(m_capturing);
    m_band = 0;
    m_cancelled = false;
    m_cancelReason.clear();

    yield();
    if (BrowserView *view = activeView())
        view->prepareForCapture();
    PicTemp.clear();
    PicPrepare.clear();
    PageHeight = 0;
    yield();

    // A cancelled capture measures, grabs and walks no further; TakePic then writes nothing.
    if (!m_cancelled)
        GetPageSizes();
    yield();

    for (const QString &entry : List2) {
        bool ok = false;
        const double value = entry.toDouble(&ok);
        if (ok && value > PageHeight)
            PageHeight = roundHalfEven(value);
        yield();
    }
    const double maxTwips = double(MaxPageHeightPixels) * m_twips.PixelTwipsY;
    if (PageHeight > maxTwips)
        PageHeight = roundHalfEven(maxTwips);

    BrowserView *view = activeView();
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
        for (int band = 1; band < maxBands && !m_cancelled; ++band) {
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
            float nextTop = -view->Top();
            CombinePics(nextTop);
            yield();
        }
    }

    if (view) {
        view->setHeight(float(ViewHeight));
        view->setTop(0);
        view->setLeft(0);
    }
    yield();

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
