#pragma once

#include "capture/BrowserView.h"
#include "drawing/Colour.h"
#include "drawing/DrawingSurface.h"
#include "drawing/Picture.h"
#include "drawing/Twips.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QWidget>

namespace tessaly {

class LiveSettings;
class SaveBitmapAs;

/// The state the capture routines share, and the routines themselves: measure the page,
/// walk the view through its container band by band, grab and stitch the bands, stamp the
/// watermarks and write the file. The capture window owns one; tests build one around a
/// plain window.
///
/// Field names are those the routines are written in terms of. Geometry is in twips,
/// drawing in pixels.
class CaptureHost : public QObject
{
    Q_OBJECT
public:
    /// `window` is the window whose area is grabbed; `picture1` the container of the views,
    /// inside it. Neither is owned.
    CaptureHost(QWidget *window, QWidget *picture1, SaveBitmapAs &writer,
                const LiveSettings &settings, QObject *parent = nullptr);
    ~CaptureHost() override;

    // Window fields.
    std::int32_t PageHeight = 0;  ///< twips
    std::int32_t ViewHeight = 0;  ///< twips, Picture1's rounded height
    std::int32_t CaptureCount = 0;
    std::int32_t ActiveBrowser = 0;
    std::vector<QPointer<BrowserView>> WebBrowser1;
    QStringList List1; ///< frame names
    QStringList List2; ///< height candidates, "000000000"
    DrawingSurface PicTemp;
    DrawingSurface PicPrepare;
    DrawingSurface picPicture;
    DrawingSurface picWatermark1;
    DrawingSurface picWatermarkMain;

    /// Largest page height a capture takes, in pixels; taller pages are cut there.
    static constexpr int MaxPageHeightPixels = 200000;

    /// Reads the display's twips per pixel (PixelTwipsX, PixelTwipsY) into setTwipsScale.
    void readDisplayScale();
    /// Uses these twips per pixel for every surface and conversion, and resets ViewHeight
    /// from Picture1.
    void setTwipsScale(const TwipsScale &scale);
    const TwipsScale &Twips() const { return m_twips; }
    /// Loads the user's watermark; on failure the surface keeps its plain grey default and
    /// the reason is returned.
    bool loadWatermark(const QString &path, QString *error = nullptr);
    /// Where the next capture is written; by default save location + number + save type.
    void setFileNameSource(std::function<QString()> source);
    /// Where the memory still available is read, in bytes (nothing: unknown); by default
    /// from the system.
    void setMemoryProbe(std::function<std::optional<std::int64_t>()> probe);
    /// Whether TakePic stamps the built-in banner; it does unless told otherwise.
    void setBannerStamped(bool stamped) { m_bannerStamped = stamped; }
    /// Whether the tile, canvas and output surfaces have their 1-pixel frame, which takes the
    /// picture's outermost rows and columns; they do unless told otherwise.
    void setCanvasFramed(bool framed);
    /// A step between the finished picture and the file, for callers that want something
    /// else written (a part of the page): gets the stamped picture and returns the one to
    /// write, or nothing with the reason the capture fails. Unset, the picture is written
    /// as it is.
    using OutputStep = std::function<std::optional<Picture>(const Picture &finished, QString *error)>;
    void setOutputStep(OutputStep step);
    /// Ends a running capture at its next step without writing a file: the view is put back
    /// and captureFailed gives `reason`. No effect when no capture runs, or once its file
    /// is written.
    void cancelCapture(const QString &reason);

    BrowserView *activeView() const;
    QWidget *window() const { return m_window; }
    QWidget *Picture1() const { return m_picture1; }
    float Picture1Left() const;
    float Picture1Top() const;
    float Picture1Width() const;
    float Picture1Height() const;
    QString Label6() const { return m_label6; }
    bool isCapturing() const { return m_capturing; }

    // Capture session.
    void Command5_Click();
    // Page measurement.
    void GetPageSizes();
    void AddHeightCandidate(float pixels);
    static QString formatCandidate(double value);
    // Window grab.
    Picture GrabWindowArea(QWidget *window, bool clientOnly, int left, int top, int width,
                           int height) const;
    static Picture MakeBitmapPicture(const QImage &bitmap);
    // Stitching.
    void CombinePics(float &TopPos);
    // Finishing and output. TakePic returns whether the file was written.
    bool TakePic();
    static void StampWatermark(const DrawingSurface &watermark, DrawingSurface &canvas,
                               std::int32_t x, std::int32_t y);
    static Colour BlendColors(Colour colour1, Colour colour2, std::uint8_t weight);

    /// Processes pending window events once.
    void yield();

signals:
    void Label6Changed(const QString &text);
    void captureSaved(const QString &path);
    void captureFailed(const QString &message);
    void bandCaptured(int band, int bands);

private:
    QString nextNumberedFileName() const;
    /// Why a page of PageHeight cannot be captured in the memory left; empty when it can.
    QString memoryProblem() const;
    int expectedBands() const;

    TwipsScale m_twips;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_picture1;
    SaveBitmapAs &m_writer;
    const LiveSettings &m_settings;
    std::function<QString()> m_fileNameSource;
    std::function<std::optional<std::int64_t>()> m_memoryProbe;
    OutputStep m_outputStep;
    bool m_bannerStamped = true;
    bool m_cancelled = false;
    QString m_cancelReason;
    QString m_label6;
    bool m_capturing = false;
    QString m_abortReason; ///< why the running session must not save, empty while it may
    int m_band = 0;
};

} // namespace tessaly
