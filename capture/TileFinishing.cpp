#include "capture/CaptureHost.h"

#include "imagefile/SaveBitmapAs.h"
#include "capture/LiveSettings.h"

#include <QDir>
#include <QFileInfo>

namespace tessaly {

Colour CaptureHost::BlendColors(Colour colour1, Colour colour2, std::uint8_t weight)
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

void CaptureHost::StampWatermark(const DrawingSurface &watermark, DrawingSurface &canvas,
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

QString CaptureHost::nextNumberedFileName() const
{
    // The counter starts at 0 whenever the capture window opens; skipping numbers whose
    // file exists keeps an earlier run's captures from being overwritten.
    const QString location = m_settings.saveLocation();
    const QString type = m_settings.saveType();
    for (qint64 n = CaptureCount;; ++n) {
        const QString name =
            location + QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')) + type;
        if (!QFileInfo::exists(name))
            return name;
    }
}

bool CaptureHost::TakePic()
{
    BrowserView *view = activeView();
    picPicture.setHeight(float(PageHeight));
    picPicture.setWidth(view ? view->Width() : Picture1Width());
    yield();
    picPicture.clear();
    picPicture.paintPicture(PicPrepare.image(), 0, 0);
    yield();
    PicTemp.clear();
    PicPrepare.clear();

    // Picture1 has no frame: its drawable size is its size.
    const float areaWidth = m_twips.toPixelsX(Picture1Width());
    const float areaHeight = m_twips.toPixelsY(Picture1Height());
    if (m_settings.watermarkSwitch() == 1) {
        const std::int32_t x =
            roundHalfEven(double(areaWidth) - picWatermark1.drawableWidth()) / 2;
        const std::int32_t y =
            roundHalfEven(double(areaHeight) - picWatermark1.drawableHeight()) / 2;
        StampWatermark(picWatermark1, picPicture, x, y);
    }
    // Positions are 32-bit so that the banner lands at the real bottom of pages taller
    // than 32,767 pixels.
    if (m_bannerStamped) {
        const std::int32_t bannerX =
            roundHalfEven(double(areaWidth) - picWatermarkMain.drawableWidth() - 20);
        const std::int32_t bannerY = roundHalfEven(double(m_twips.toPixelsY(float(PageHeight))) -
                                                   picWatermarkMain.drawableHeight() - 20);
        StampWatermark(picWatermarkMain, picPicture, bannerX, bannerY);
    }

    // A capture cancelled while it ran writes nothing; neither does one whose output step
    // refuses the picture.
    QString refusal;
    std::optional<Picture> output;
    if (m_cancelled)
        refusal = m_cancelReason;
    else if (m_outputStep)
        output = m_outputStep(picPicture.image(), &refusal);
    else
        output = picPicture.image();
    // Nothing reads the finished surface again: free the page-high raster as soon as possible.
    picPicture.clear();
    if (!output) {
        yield();
        emit captureFailed(refusal);
        return false;
    }

    const QString fileName = m_fileNameSource ? m_fileNameSource() : nextNumberedFileName();
    const Result<void> saved = m_writer.SaveImageFile(*output, fileName);
    output.reset();
    yield();
    if (!saved) {
        const QString reason = saved.error();
        emit captureFailed(tr("The screenshot could not be saved to %1.%2")
                               .arg(QDir::toNativeSeparators(fileName),
                                    reason.isEmpty() ? QString() : QStringLiteral("\n") + reason));
        return false;
    }
    m_label6 = QStringLiteral("Screens Captured: %1").arg(qint64(CaptureCount) + 1);
    emit Label6Changed(m_label6);
    emit captureSaved(fileName);
    return true;
}

} // namespace tessaly
