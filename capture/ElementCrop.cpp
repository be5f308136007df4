#include "capture/ElementCrop.h"

#include "capture/TileFinishing.h"

#include <algorithm>
#include <cmath>

namespace tessaly {

QRect elementArea(const QRectF &cssBox, double scale)
{
    const auto low = [scale](double v) { return int(std::floor(v * scale + 1e-6)); };
    const auto high = [scale](double v) { return int(std::ceil(v * scale - 1e-6)); };
    const int left = low(cssBox.left());
    const int top = low(cssBox.top());
    return QRect(left, top, high(cssBox.right()) - left, high(cssBox.bottom()) - top);
}

Result<Picture> cropToElement(const Picture &page, const QRectF &cssBox, double scale,
                              const ElementMarks &marks)
{
    const QRect area =
        elementArea(cssBox, scale).intersected(QRect(0, 0, page.width(), page.height()));
    if (area.isEmpty())
        return fail(QStringLiteral("--selector: the element lies outside the captured page"));
    DrawingSurface surface;
    surface.setScaleMode(ScaleMode::Pixels);
    surface.setAutoSize(true);
    surface.setPicture(Picture(page.image().copy(area)));
    if (marks.watermark) {
        const int screen = std::min(area.height(), marks.firstScreenHeight);
        TileFinishing::StampWatermark(*marks.watermark, surface,
                                      (area.width() - marks.watermark->drawableWidth()) / 2,
                                      (screen - marks.watermark->drawableHeight()) / 2);
    }
    if (marks.banner)
        TileFinishing::StampWatermark(*marks.banner, surface,
                                      area.width() - marks.banner->drawableWidth() - 20,
                                      area.height() - marks.banner->drawableHeight() - 20);
    return surface.image();
}

} // namespace tessaly
