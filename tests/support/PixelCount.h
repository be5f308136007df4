#pragma once

#include <QImage>

#include <functional>

// Pixels of `area` in `image` that `is` takes.
inline int countPixels(const QImage &image, const QRect &area, const std::function<bool(QRgb)> &is)
{
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += is(image.pixel(x, y)) ? 1 : 0;
    return found;
}

// Pixels of `area` in `image` that show exactly `colour`.
inline int countPixels(const QImage &image, const QRect &area, QRgb colour)
{
    return countPixels(image, area, [colour](QRgb pixel) { return pixel == colour; });
}
