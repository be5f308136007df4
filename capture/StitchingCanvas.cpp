#include "capture/StitchingCanvas.h"

#include "base/EventYield.h"
#include "capture/CaptureReport.h"
#include "capture/CaptureState.h"
#include "capture/WindowGrab.h"

#include <cmath>

namespace tessaly {

void StitchingCanvas::CombinePics(float &TopPos)
{
    const int left = roundHalfEven(m_state.twips.toPixelsX(m_state.Picture1Left()));
    const int top = roundHalfEven(m_state.twips.toPixelsY(m_state.Picture1Top()));
    const int width = roundHalfEven(m_state.twips.toPixelsX(m_state.Picture1Width()));
    const int height = roundHalfEven(m_state.twips.toPixelsY(m_state.Picture1Height()));

    m_state.PicTemp.setHeight(m_state.Picture1Height());
    m_state.PicTemp.setWidth(m_state.Picture1Width());
    yieldToEvents();
    m_state.PicPrepare.setHeight(float(m_state.PageHeight));
    m_state.PicPrepare.setWidth(m_state.Picture1Width());
    yieldToEvents();

    // Events alone do not make the browser repaint a moved view: wait until it shows the
    // band before grabbing it, so no band is stale.
    BrowserView *view = m_state.activeView();
    if (view && m_state.abortReason.isEmpty() && !view->waitUntilShown() &&
        m_state.abortReason.isEmpty())
        m_state.abortReason = tr("the page did not draw the part to be taken in time");

    const Picture grabbed = m_grab.GrabWindowArea(m_state.window, false, left, top, width, height);
    // A band left out would be written as blank page.
    if (grabbed.isNull() && m_state.abortReason.isEmpty())
        m_state.abortReason = tr("a part of the page could not be grabbed");
    m_state.PicTemp.setPicture(grabbed);

    const double y = double(m_state.twips.toPixelsY(TopPos));
    // A write the disk refuses stays with the canvas: the walk stops at it, and TakePic
    // reports it.
    if (!grabbed.isNull() && m_state.canvasRows.started())
        (void)m_state.canvasRows.paintBand(m_state.PicTemp.image().image(), int(std::nearbyint(y)));
    m_report.reportBand(++m_state.band, m_state.expectedBands());
    yieldToEvents();
}

} // namespace tessaly
