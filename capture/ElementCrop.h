#pragma once

#include "base/Result.h"
#include "platform/DrawingSurface.h"
#include "platform/Picture.h"

#include <QRect>
#include <QRectF>

namespace tessaly {

/// Marks stamped on a picture cut to an element: where the whole page would carry them,
/// they would mostly fall outside the cut.
struct ElementMarks
{
    const DrawingSurface *watermark = nullptr; ///< centred on the first screen when set
    int firstScreenHeight = 0;                 ///< the browser area's height, device pixels
    const DrawingSurface *banner = nullptr;    ///< 20 pixels in from the bottom-right when set
};

/// The device pixels an element's box covers: its CSS box times `scale`, widened to whole
/// pixels.
QRect elementArea(const QRectF &cssBox, double scale);

/// The part of a page picture an element's box covers, with the marks stamped on it. The
/// part is cut to the picture; why not, when none of it is inside.
Result<Picture> cropToElement(const Picture &page, const QRectF &cssBox, double scale,
                              const ElementMarks &marks);

} // namespace tessaly
