#pragma once

#include "imagefile/SideLimitedEncoder.h"

namespace tessaly {

/// Writes PNG files through libpng with every row unfiltered. Qt's PNG writer lets libpng
/// try all five row filters on every row; on screenshots (flat colour, text) that search
/// costs half the write and gives larger files than no filter at all.
class PngEncoder : public SideLimitedEncoder
{
public:
    PngEncoder();
    Result<void> write(const QImage &image, QIODevice &device) const override;
};

} // namespace tessaly
