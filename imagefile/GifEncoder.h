#pragma once

#include "imagefile/SideLimitedEncoder.h"

namespace tessaly {

/// Writes GIF files through giflib: one 8-bit palette image, the palette chosen by
/// ColourQuantiser over the whole picture. Qt has no GIF writer of its own.
class GifEncoder : public SideLimitedEncoder
{
public:
    GifEncoder();
    Result<void> write(const QImage &image, QIODevice &device) const override;
};

} // namespace tessaly
