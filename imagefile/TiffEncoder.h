#pragma once

#include "imagefile/StreamingEncoder.h"

namespace tessaly {

/// Writes uncompressed 8-bit RGB TIFF files through libtiff, strip by strip as the rows
/// come; libtiff lengthens the image with every row written.
class TiffEncoder : public StreamingEncoder
{
public:
    /// Rows in each strip of the files written.
    static constexpr int RowsPerStrip = 64;

    TiffEncoder();
    Result<void> checkSize(QSize size) const override;
    std::unique_ptr<RowStream> startStream(QIODevice &device, int width,
                                           int quality) const override;
};

} // namespace tessaly
