#include "drawing/DrawingSurface.h"

#include <algorithm>
#include <cstring>

namespace tessaly {

namespace {

// Copies src onto dst with src's top-left at (x, y), clipped. Rows are copied directly
// because the painter is unreliable beyond +/-32,767 and canvases can be taller.
void blit(QImage &dst, const QImage &src, std::int64_t x, std::int64_t y)
{
    const std::int64_t x0 = std::max<std::int64_t>(0, x);
    const std::int64_t y0 = std::max<std::int64_t>(0, y);
    const std::int64_t x1 = std::min<std::int64_t>(dst.width(), x + src.width());
    const std::int64_t y1 = std::min<std::int64_t>(dst.height(), y + src.height());
    if (x0 >= x1 || y0 >= y1)
        return;
    const std::size_t bytes = static_cast<std::size_t>(x1 - x0) * 4;
    for (std::int64_t row = y0; row < y1; ++row) {
        const auto *from =
            reinterpret_cast<const QRgb *>(src.constScanLine(int(row - y))) + (x0 - x);
        auto *to = reinterpret_cast<QRgb *>(dst.scanLine(int(row))) + x0;
        std::memcpy(to, from, bytes);
    }
}

} // namespace

DrawingSurface::DrawingSurface(TwipsScale scale, bool framed, Colour backColour)
    : m_scale(scale), m_framed(framed), m_backColour(backColour)
{
}

void DrawingSurface::setTwipsScale(const TwipsScale &scale)
{
    m_scale = scale;
    fitImageToSize();
}

void DrawingSurface::setWidth(float twips)
{
    m_width = std::max(0.0f, twips);
    fitImageToSize();
}

void DrawingSurface::setHeight(float twips)
{
    m_height = std::max(0.0f, twips);
    fitImageToSize();
}

void DrawingSurface::setFramed(bool framed)
{
    m_framed = framed;
    fitImageToSize();
}

void DrawingSurface::setBackColour(Colour colour)
{
    m_backColour = colour;
    clear();
}

int DrawingSurface::outerPixelsX() const
{
    return std::max(0, m_scale.pixelsX(m_width));
}
int DrawingSurface::outerPixelsY() const
{
    return std::max(0, m_scale.pixelsY(m_height));
}

int DrawingSurface::drawableWidth() const
{
    return std::max(0, outerPixelsX() - 2 * frameWidth());
}
int DrawingSurface::drawableHeight() const
{
    return std::max(0, outerPixelsY() - 2 * frameWidth());
}

double DrawingSurface::scaleWidth() const
{
    return m_scaleMode == ScaleMode::Pixels ? drawableWidth()
                                            : double(m_scale.toTwipsX(float(drawableWidth())));
}

double DrawingSurface::scaleHeight() const
{
    return m_scaleMode == ScaleMode::Pixels ? drawableHeight()
                                            : double(m_scale.toTwipsY(float(drawableHeight())));
}

void DrawingSurface::setPicture(const Picture &picture)
{
    m_picture = picture;
    if (m_autoSize && !picture.isNull()) {
        m_width = m_scale.toTwipsX(float(picture.width() + 2 * frameWidth()));
        m_height = m_scale.toTwipsY(float(picture.height() + 2 * frameWidth()));
    }
    m_image = QImage();
    if (!m_picture.isNull())
        ensureImage();
}

QImage DrawingSurface::blankImage() const
{
    QImage image(drawableWidth(), drawableHeight(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(toQRgb(m_backColour));
    if (!m_picture.isNull())
        blit(image, m_picture.image(), 0, 0);
    return image;
}

void DrawingSurface::ensureImage()
{
    if (m_image.isNull() && drawableWidth() > 0 && drawableHeight() > 0)
        m_image = blankImage();
}

void DrawingSurface::fitImageToSize()
{
    if (m_image.isNull() ||
        (m_image.width() == drawableWidth() && m_image.height() == drawableHeight()))
        return;
    // A resized persistent image keeps what was drawn at its top-left.
    const QImage old = m_image;
    m_image = QImage();
    ensureImage();
    if (!m_image.isNull())
        blit(m_image, old, 0, 0);
}

void DrawingSurface::clear()
{
    m_image = QImage();
    if (!m_picture.isNull())
        ensureImage();
}

Colour DrawingSurface::pixelAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= drawableWidth() || y >= drawableHeight())
        return NoColour;
    if (m_image.isNull())
        return m_backColour;
    return fromQRgb(reinterpret_cast<const QRgb *>(m_image.constScanLine(y))[x]);
}

void DrawingSurface::setPixelAt(int x, int y, Colour colour)
{
    if (x < 0 || y < 0 || x >= drawableWidth() || y >= drawableHeight() || colour < 0)
        return;
    ensureImage();
    if (m_image.isNull())
        return;
    reinterpret_cast<QRgb *>(m_image.scanLine(y))[x] = toQRgb(colour);
}

Picture DrawingSurface::image() const
{
    return Picture(m_image.isNull() ? blankImage() : m_image);
}

} // namespace tessaly
