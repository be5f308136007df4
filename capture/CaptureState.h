#pragma once

#include "capture/BrowserView.h"
#include "capture/StreamedCanvas.h"
#include "drawing/DrawingSurface.h"
#include "drawing/Twips.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace tessaly {

/// What the capture steps share: the window's fields, the five drawing surfaces and the
/// running session's marks. Only the engine's steps write it; the capture host hands it
/// out read-only. Field names are those the routines are written in terms of; geometry is
/// in twips, drawing in pixels.
struct CaptureState
{
    /// `window` is the window whose area is grabbed; `picture1` the container of the views,
    /// inside it. Neither is owned.
    CaptureState(QWidget *window, QWidget *picture1);

    std::int32_t PageHeight = 0; ///< twips
    std::int32_t ViewHeight = 0; ///< twips, Picture1's rounded height
    std::int32_t CaptureCount = 0;
    std::int32_t ActiveBrowser = 0;
    std::vector<QPointer<BrowserView>> WebBrowser1;
    QStringList List1; ///< frame names
    QStringList List2; ///< height candidates, "000000000"
    DrawingSurface PicTemp;
    DrawingSurface PicPrepare; ///< the page-high canvas's geometry; its rows are canvasRows
    DrawingSurface picPicture;
    DrawingSurface picWatermark1;
    DrawingSurface picWatermarkMain;
    StreamedCanvas canvasRows; ///< the rows of PicPrepare, streamed to the file

    TwipsScale twips;
    QPointer<QWidget> window;
    QPointer<QWidget> picture1;
    QString Label6;

    // The running session.
    bool capturing = false;
    bool cancelled = false;
    QString cancelReason;
    QString abortReason; ///< why the running session must not save, empty while it may
    int band = 0;

    /// Uses these twips per pixel for every surface and conversion, and resets ViewHeight
    /// from Picture1.
    void setTwipsScale(const TwipsScale &scale);
    /// ViewHeight follows Picture1's height.
    void followPicture1() { ViewHeight = roundHalfEven(Picture1Height()); }

    BrowserView *activeView() const;
    float Picture1Left() const;
    float Picture1Top() const;
    float Picture1Width() const;
    float Picture1Height() const;
    /// The bands a page of PageHeight takes.
    int expectedBands() const;
};

} // namespace tessaly
