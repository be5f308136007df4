#pragma once

#include <QRgb>

#include <cstdint>

namespace tessaly {

/// A colour as red + 256 x green + 65536 x blue, each channel 0..255; NoColour means none.
using Colour = std::int32_t;
inline constexpr Colour NoColour = -1;

constexpr Colour rgbColour(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}
constexpr int redOf(Colour c)
{
    return c & 0xff;
}
constexpr int greenOf(Colour c)
{
    return (c >> 8) & 0xff;
}
constexpr int blueOf(Colour c)
{
    return (c >> 16) & 0xff;
}

constexpr QRgb toQRgb(Colour c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}
constexpr Colour fromQRgb(QRgb rgb)
{
    return rgbColour(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

/// The background that cleared capture surfaces reset to.
inline constexpr Colour WindowBackground = rgbColour(255, 255, 255);

} // namespace tessaly
