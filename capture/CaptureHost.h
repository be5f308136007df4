#pragma once

#include "base/Result.h"
#include "capture/BrowserView.h"
#include "capture/CaptureReport.h"
#include "capture/CaptureSession.h"
#include "capture/CaptureState.h"
#include "capture/PageMeasurement.h"
#include "capture/StitchingCanvas.h"
#include "capture/TileFinishing.h"
#include "capture/WindowGrab.h"
#include "drawing/DrawingSurface.h"
#include "drawing/Picture.h"
#include "drawing/Twips.h"

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tessaly {

class LiveSettings;
class SaveBitmapAs;

/// What the windows talk to for a capture: holds the state the capture steps share and the
/// steps themselves (measure, walk, grab, stitch, finish and write), and reports by signals.
/// The capture window owns one; tests build one around a plain window. The state is
/// read-only from outside; the few changes the windows make have their own functions.
class CaptureHost : public QObject, private CaptureReport
{
    Q_OBJECT
public:
    /// `window` is the window whose area is grabbed; `picture1` the container of the views,
    /// inside it. Neither is owned.
    CaptureHost(QWidget *window, QWidget *picture1, SaveBitmapAs &writer,
                const LiveSettings &settings, QObject *parent = nullptr);
    ~CaptureHost() override;

    // The shared state, read-only.
    const CaptureState &state() const { return m_state; }
    std::int32_t PageHeight() const { return m_state.PageHeight; }
    std::int32_t ViewHeight() const { return m_state.ViewHeight; }
    std::int32_t CaptureCount() const { return m_state.CaptureCount; }
    std::int32_t ActiveBrowser() const { return m_state.ActiveBrowser; }
    const std::vector<QPointer<BrowserView>> &WebBrowser1() const { return m_state.WebBrowser1; }
    const QStringList &List1() const { return m_state.List1; }
    const QStringList &List2() const { return m_state.List2; }
    const DrawingSurface &PicTemp() const { return m_state.PicTemp; }
    const DrawingSurface &PicPrepare() const { return m_state.PicPrepare; }
    const DrawingSurface &picPicture() const { return m_state.picPicture; }
    const DrawingSurface &picWatermark1() const { return m_state.picWatermark1; }
    const DrawingSurface &picWatermarkMain() const { return m_state.picWatermarkMain; }

    // The views.
    /// Adds a view after the others.
    void addView(BrowserView *view) { m_state.WebBrowser1.emplace_back(view); }
    /// Puts a view at `index`, making room for it.
    void setView(int index, BrowserView *view);
    /// Leaves `index` without a view.
    void removeView(int index);
    /// The view a capture walks.
    void setActiveBrowser(int index) { m_state.ActiveBrowser = index; }
    BrowserView *activeView() const { return m_state.activeView(); }

    // What the pages tell.
    /// A frame name seen in the page, listed once.
    void addFrameName(const QString &name);
    /// Lists a page height in twips as a candidate for the next capture.
    void addHeightCandidateTwips(double twips);

    // The window.
    /// The page height kept from before the window's controls were made again.
    void restorePageHeight(std::int32_t twips) { m_state.PageHeight = twips; }
    /// The count starts again at 0 when the capture window opens.
    void resetCaptureCount() { m_state.CaptureCount = 0; }
    /// ViewHeight follows Picture1's height.
    void followPicture1() { m_state.followPicture1(); }
    enum class Surface
    {
        picPicture,
        PicTemp,
        PicPrepare,
        picWatermark1,
        picWatermarkMain
    };
    /// Gives a surface the place (twips) the window's form has for it; an auto-sized
    /// surface with a picture keeps its size.
    void placeSurface(Surface surface, const QRectF &place);

    /// Reads the display's twips per pixel (PixelTwipsX, PixelTwipsY) into setTwipsScale.
    void readDisplayScale();
    /// Uses these twips per pixel for every surface and conversion, and resets ViewHeight
    /// from Picture1.
    void setTwipsScale(const TwipsScale &scale) { m_state.setTwipsScale(scale); }
    const TwipsScale &Twips() const { return m_state.twips; }
    /// Loads the user's watermark; on failure the surface keeps its plain grey default.
    Result<void> loadWatermark(const QString &path);
    /// Where the next capture is written; by default save location + number + save type.
    void setFileNameSource(std::function<QString()> source);
    /// Whether TakePic stamps the built-in banner; it does unless told otherwise.
    void setBannerStamped(bool stamped) { m_finishing.setBannerStamped(stamped); }
    /// Whether the tile, canvas and output surfaces have their 1-pixel frame, which takes the
    /// picture's outermost rows and columns; they do unless told otherwise.
    void setCanvasFramed(bool framed);
    /// A step between the finished picture and the file, for callers that want something
    /// else written (a part of the page): gets the stamped picture and returns the one to
    /// write, or the reason the capture fails. Unset, the picture is written as it is.
    using OutputStep = TileFinishing::OutputStep;
    void setOutputStep(OutputStep step);
    /// Ends a running capture at its next step without writing a file: the view is put back
    /// and captureFailed gives `reason`. No effect when no capture runs, or once its file
    /// is written.
    void cancelCapture(const QString &reason) { m_session.cancel(reason); }

    QWidget *window() const { return m_state.window; }
    QWidget *Picture1() const { return m_state.picture1; }
    float Picture1Left() const { return m_state.Picture1Left(); }
    float Picture1Top() const { return m_state.Picture1Top(); }
    float Picture1Width() const { return m_state.Picture1Width(); }
    float Picture1Height() const { return m_state.Picture1Height(); }
    QString Label6() const { return m_state.Label6; }
    bool isCapturing() const { return m_state.capturing; }

    /// Takes the screenshot of the active view's page and writes it.
    void Command5_Click() { m_session.Command5_Click(); }
    /// Lists the active page's height candidates.
    void GetPageSizes() { m_measurement.GetPageSizes(); }
    /// Lists a height of `pixels` as a candidate.
    void AddHeightCandidate(float pixels) { m_measurement.AddHeightCandidate(pixels); }
    static QString formatCandidate(double value) { return PageMeasurement::formatCandidate(value); }

    /// For tests only: the state, writable, for what no run of the engine reaches cheaply.
    CaptureState &stateForTest() { return m_state; }

signals:
    void Label6Changed(const QString &text);
    void captureSaved(const QString &path);
    void captureFailed(const QString &message);
    void bandCaptured(int band, int bands);

private:
    void reportBand(int band, int bands) override { emit bandCaptured(band, bands); }
    void reportFailure(const QString &message) override { emit captureFailed(message); }
    void reportSaved(const QString &path) override { emit captureSaved(path); }
    void reportLabel6(const QString &text) override { emit Label6Changed(text); }

    CaptureState m_state;
    PageMeasurement m_measurement;
    WindowGrab m_grab;
    StitchingCanvas m_canvas;
    TileFinishing m_finishing;
    CaptureSession m_session;
};

} // namespace tessaly
