#include "capture/TileFinishing.h"

#include "base/EventYield.h"
#include "capture/CaptureState.h"
#include "capture/LiveSettings.h"
#include "imagefile/SaveBitmapAs.h"

#include <QDir>
#include <QFileInfo>

namespace tessaly {

Colour TileFinishing::BlendColors(Colour colour1, Colour colour2, std::uint8_t weight)
{
    const auto split = [](Colour c, std::int32_t &r, std::int32_t &g, std::int32_t &b) {
        b = c / 65536;
        g = (c - b * 65536) / 256;
        r = c - (g * 256 + b * 65536);
    };
    std::int32_t r1, g1, b1, r2, g2, b2;
    split(colour1, r1, g1, b1);
    split(colour2, r2, g2, b2);
    const std::int32_t w = weight;
    const std::int32_t r = (w * r1 + (255 - w) * r2) / 256;
    const std::int32_t g = (w * g1 + (255 - w) * g2) / 256;
    const std::int32_t b = (w * b1 + (255 - w) * b2) / 256;
    return r + g * 256 + b * 65536;
}

void TileFinishing::StampWatermark(const DrawingSurface &watermark, DrawingSurface &canvas,
                                   std::int32_t x, std::int32_t y)
{
    const Colour key = watermark.pixelAt(0, 0);
    const int rows = watermark.drawableHeight();
    for (int r = 0; r < rows; ++r) {
        const int columns = watermark.drawableWidth();
        for (int c = 0; c < columns; ++c) {
            const Colour p = watermark.pixelAt(c, r);
            if (p == key)
                continue;
            const Colour q = canvas.pixelAt(c + x, r + y);
            if (q == NoColour)
                continue; // outside the canvas
            canvas.setPixelAt(c + x, r + y, BlendColors(p, q, 128));
        }
    }
}

QString TileFinishing::nextNumberedFileName() const
{
    // The counter starts at 0 whenever the capture window opens; skipping numbers whose
    // file exists keeps an earlier run's captures from being overwritten.
    const QString location = m_settings.saveLocation();
    const QString type = m_settings.saveType();
    for (qint64 n = m_state.CaptureCount;; ++n) {
        const QString name = location + QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')) + type;
        if (!QFileInfo::exists(name))
            return name;
    }
}

Result<QString> TileFinishing::TakePic()
{
    BrowserView *view = m_state.activeView();
    m_state.picPicture.setHeight(float(m_state.PageHeight));
    m_state.picPicture.setWidth(view ? view->Width() : m_state.Picture1Width());
    yieldToEvents();
    m_state.picPicture.clear();
    m_state.picPicture.paintPicture(m_state.PicPrepare.image(), 0, 0);
    yieldToEvents();
    m_state.PicTemp.clear();
    m_state.PicPrepare.clear();

    // Picture1 has no frame: its drawable size is its size.
    const float areaWidth = m_state.twips.toPixelsX(m_state.Picture1Width());
    const float areaHeight = m_state.twips.toPixelsY(m_state.Picture1Height());
    if (m_settings.watermarkSwitch() == 1) {
        const std::int32_t x =
            roundHalfEven(double(areaWidth) - m_state.picWatermark1.drawableWidth()) / 2;
        const std::int32_t y =
            roundHalfEven(double(areaHeight) - m_state.picWatermark1.drawableHeight()) / 2;
        StampWatermark(m_state.picWatermark1, m_state.picPicture, x, y);
    }
    // Positions are 32-bit so that the banner lands at the real bottom of pages taller
    // than 32,767 pixels.
    if (m_bannerStamped) {
        const std::int32_t bannerX =
            roundHalfEven(double(areaWidth) - m_state.picWatermarkMain.drawableWidth() - 20);
        const std::int32_t bannerY =
            roundHalfEven(double(m_state.twips.toPixelsY(float(m_state.PageHeight))) -
                          m_state.picWatermarkMain.drawableHeight() - 20);
        StampWatermark(m_state.picWatermarkMain, m_state.picPicture, bannerX, bannerY);
    }

    // A capture cancelled while it ran writes nothing; neither does one whose output step
    // refuses the picture.
    QString refusal;
    std::optional<Picture> output;
    if (m_state.cancelled)
        refusal = m_state.cancelReason;
    else if (!m_outputStep)
        output = m_state.picPicture.image();
    else if (Result<Picture> stepped = m_outputStep(m_state.picPicture.image()))
        output = std::move(stepped).value();
    else
        refusal = stepped.error();
    // Nothing reads the finished surface again: free the page-high raster as soon as possible.
    m_state.picPicture.clear();
    if (!output) {
        yieldToEvents();
        return fail(refusal);
    }

    const QString fileName = m_fileNameSource ? m_fileNameSource() : nextNumberedFileName();
    const Result<void> saved = m_writer.SaveImageFile(*output, fileName);
    output.reset();
    yieldToEvents();
    if (!saved) {
        const QString reason = saved.error();
        return fail(tr("The screenshot could not be saved to %1.%2")
                        .arg(QDir::toNativeSeparators(fileName),
                             reason.isEmpty() ? QString() : QStringLiteral("\n") + reason));
    }
    return fileName;
}

} // namespace tessaly
