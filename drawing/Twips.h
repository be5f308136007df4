#pragma once

#include <cstdint>
#include <optional>

class QScreen;

namespace tessaly {

/// Rounds to the nearest whole number, halves to the even neighbour, saturating at the
/// 32-bit range (a NaN gives 0).
std::int32_t roundHalfEven(double value);

/// Same rounding into 16 bits; nothing when the result does not fit.
std::optional<std::int16_t> roundHalfEven16(double value);

/// Twips per pixel of a display, horizontally and vertically (15 at 96 dots per inch).
struct TwipsScale
{
    float PixelTwipsX = 15.0f;
    float PixelTwipsY = 15.0f;

    float toPixelsX(float twips) const { return twips / PixelTwipsX; }
    float toPixelsY(float twips) const { return twips / PixelTwipsY; }
    float toTwipsX(float pixels) const { return pixels * PixelTwipsX; }
    float toTwipsY(float pixels) const { return pixels * PixelTwipsY; }

    /// Whole pixels covered by a twips length (rounded to nearest, halves to even).
    std::int32_t pixelsX(float twips) const { return roundHalfEven(toPixelsX(twips)); }
    std::int32_t pixelsY(float twips) const { return roundHalfEven(toPixelsY(twips)); }

    /// 1440 divided by the screen's logical dots per inch; 15 x 15 without a screen.
    static TwipsScale fromScreen(const QScreen *screen);
};

} // namespace tessaly
