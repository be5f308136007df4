#include "capture/CaptureHost.h"

namespace tessaly {

void CaptureHost::CombinePics(float &TopPos)
{
    const int left = roundHalfEven(m_twips.toPixelsX(Picture1Left()));
    const int top = roundHalfEven(m_twips.toPixelsY(Picture1Top()));
    const int width = roundHalfEven(m_twips.toPixelsX(Picture1Width()));
    const int height = roundHalfEven(m_twips.toPixelsY(Picture1Height()));

    PicTemp.setHeight(Picture1Height());
    PicTemp.setWidth(Picture1Width());
    yield();
    PicPrepare.setHeight(float(PageHeight));
    PicPrepare.setWidth(Picture1Width());
    yield();

    // Events alone do not make the browser repaint a moved view: wait until it shows the
    // band before grabbing it, so no band is stale.
    BrowserView *view = activeView();
    if (view && m_abortReason.isEmpty() && !view->waitUntilShown() && m_abortReason.isEmpty())
        m_abortReason = tr("the page did not draw the part to be taken in time");

    const Picture grabbed = GrabWindowArea(m_window, false, left, top, width, height);
    // A band left out would be written as blank page.
    if (grabbed.isNull() && m_abortReason.isEmpty())
        m_abortReason = tr("a part of the page could not be grabbed");
    PicTemp.setPicture(grabbed);

    const double y = double(m_twips.toPixelsY(TopPos));
    if (!grabbed.isNull())
        PicPrepare.paintPicture(PicTemp.image(), 0, y);
    emit bandCaptured(++m_band, expectedBands());
    yield();
}

} // namespace tessaly
