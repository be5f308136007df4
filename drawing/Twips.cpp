#include "drawing/Twips.h"

#include <QScreen>

#include <cmath>
#include <limits>

namespace tessaly {

std::int32_t roundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    // nearbyint honours the default rounding mode, which is to nearest with ties to even.
    const double r = std::nearbyint(value);
    if (r >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(r);
}

std::optional<std::int16_t> roundHalfEven16(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    const double r = std::nearbyint(value);
    if (r > std::numeric_limits<std::int16_t>::max() ||
        r < std::numeric_limits<std::int16_t>::min())
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

TwipsScale TwipsScale::fromScreen(const QScreen *screen)
{
    TwipsScale scale;
    if (!screen)
        return scale;
    const double dpiX = screen->logicalDotsPerInchX();
    const double dpiY = screen->logicalDotsPerInchY();
    if (dpiX > 0)
        scale.PixelTwipsX = static_cast<float>(1440.0 / dpiX);
    if (dpiY > 0)
        scale.PixelTwipsY = static_cast<float>(1440.0 / dpiY);
    return scale;
}

} // namespace tessaly
