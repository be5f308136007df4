#include "capture/TileFinishing.h"

#include "base/EventYield.h"
#include "capture/CaptureState.h"
#include "capture/LiveSettings.h"
#include "drawing/DrawingSurface.h"
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

namespace {

// Stamps a watermark with its top-left at (x, y) of the picture onto a block of its rows
// whose first is row `top`, the way it would go onto the whole picture.
void stampRows(const DrawingSurface &watermark, QImage &rows, int top, std::int32_t x,
               std::int32_t y)
{
    if (std::int64_t(y) + watermark.drawableHeight() <= top ||
        std::int64_t(y) >= std::int64_t(top) + rows.height())
        return;
    DrawingSurface canvas(watermark.twipsScale());
    canvas.setScaleMode(ScaleMode::Pixels);
    canvas.setAutoSize(true);
    canvas.setPicture(Picture(rows));
    rows = QImage();
    TileFinishing::StampWatermark(watermark, canvas, x, std::int32_t(y - top));
    rows = canvas.image().image();
}

} // namespace

QString TileFinishing::savingFailed(const QString &reason) const
{
    return tr("The screenshot could not be saved to %1.%2")
        .arg(QDir::toNativeSeparators(m_fileName),
             reason.isEmpty() ? QString() : QStringLiteral("\n") + reason);
}

Result<void> TileFinishing::startPicture()
{
    abandonPicture();
    BrowserView *view = m_state.activeView();
    m_state.PicPrepare.setHeight(float(m_state.PageHeight));
    m_state.PicPrepare.setWidth(m_state.Picture1Width());
    m_state.picPicture.setHeight(float(m_state.PageHeight));
    m_state.picPicture.setWidth(view ? view->Width() : m_state.Picture1Width());
    const int width = m_state.picPicture.drawableWidth();

    StreamedCanvas::Sink sink;
    if (m_outputStep) {
        m_whole = std::make_unique<WholePictureStream>(width, [this](const QImage &picture) {
            m_wholePicture = picture.copy();
            return Result<void>();
        });
        sink = [this](const QImage &rows) { return m_whole->addRows(rows); };
    } else {
        m_fileName = m_fileNameSource ? m_fileNameSource() : nextNumberedFileName();
        Result<std::unique_ptr<ImageFileStream>> opened = m_writer.OpenImageFile(m_fileName, width);
        if (!opened)
            return fail(savingFailed(opened.error()));
        m_file = std::make_unique<QueuedImageFile>(std::move(*opened));
        sink = [this](const QImage &rows) { return m_file->addRows(rows); };
    }

    // Picture1 has no frame: its drawable size is its size.
    StreamedCanvas::Stamp stamp;
    if (m_settings.watermarkSwitch() == 1) {
        const float areaWidth = m_state.twips.toPixelsX(m_state.Picture1Width());
        const float areaHeight = m_state.twips.toPixelsY(m_state.Picture1Height());
        const std::int32_t x =
            roundHalfEven(double(areaWidth) - m_state.picWatermark1.drawableWidth()) / 2;
        const std::int32_t y =
            roundHalfEven(double(areaHeight) - m_state.picWatermark1.drawableHeight()) / 2;
        stamp = [this, x, y](QImage &rows, int top) {
            stampRows(m_state.picWatermark1, rows, top, x, y);
        };
    }
    const int reserve = m_bannerStamped ? m_state.picWatermarkMain.drawableHeight() + 20 : 0;
    m_state.canvasRows.begin(
        width, m_state.PicPrepare.drawableWidth(), m_state.PicPrepare.drawableHeight(),
        toQRgb(m_state.picPicture.backColour()), reserve, std::move(stamp), std::move(sink));
    return {};
}

void TileFinishing::abandonPicture()
{
    m_state.canvasRows.reset();
    m_file.reset();
    m_whole.reset();
    m_wholePicture = QImage();
}

Result<QString> TileFinishing::TakePic()
{
    BrowserView *view = m_state.activeView();
    m_state.picPicture.setHeight(float(m_state.PageHeight));
    m_state.picPicture.setWidth(view ? view->Width() : m_state.Picture1Width());
    m_state.PicTemp.clear();
    // A capture cancelled while it ran writes nothing.
    if (m_state.cancelled) {
        abandonPicture();
        yieldToEvents();
        return fail(m_state.cancelReason);
    }

    // Positions are 32-bit so that the banner lands at the real bottom of pages taller
    // than 32,767 pixels.
    StreamedCanvas::Stamp banner;
    if (m_bannerStamped) {
        const float areaWidth = m_state.twips.toPixelsX(m_state.Picture1Width());
        const std::int32_t bannerX =
            roundHalfEven(double(areaWidth) - m_state.picWatermarkMain.drawableWidth() - 20);
        const std::int32_t bannerY =
            roundHalfEven(double(m_state.twips.toPixelsY(float(m_state.PageHeight))) -
                          m_state.picWatermarkMain.drawableHeight() - 20);
        banner = [this, bannerX, bannerY](QImage &rows, int top) {
            stampRows(m_state.picWatermarkMain, rows, top, bannerX, bannerY);
        };
    }
    if (!m_file && !m_whole)
        return fail(savingFailed(tr("the picture was never started")));
    const Result<void> finished =
        m_state.canvasRows.finish(m_state.picPicture.drawableHeight(), banner);
    if (m_whole)
        return writeWholePicture(finished);
    Result<void> written = finished ? m_file->commit() : finished;
    abandonPicture();
    yieldToEvents();
    if (!written)
        return fail(savingFailed(written.error()));
    return m_fileName;
}

Result<QString> TileFinishing::writeWholePicture(const Result<void> &streamed)
{
    // A picture the step refuses is not written.
    Result<void> gathered = streamed ? m_whole->finish() : streamed;
    const Picture page(m_wholePicture);
    abandonPicture();
    if (!gathered)
        return fail(gathered.error());
    Result<Picture> output = m_outputStep(page);
    if (!output)
        return fail(output.error());
    m_fileName = m_fileNameSource ? m_fileNameSource() : nextNumberedFileName();
    const Result<void> saved = m_writer.SaveImageFile(*output, m_fileName);
    yieldToEvents();
    if (!saved)
        return fail(savingFailed(saved.error()));
    return m_fileName;
}

} // namespace tessaly
