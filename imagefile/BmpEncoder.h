#pragma once

#include "imagefile/StreamingEncoder.h"

namespace tessaly {

/// Writes 24-bit BMP files, top row first, each block of rows straight to the file. The
/// height and the file size go into the headers when the picture ends.
class BmpEncoder : public StreamingEncoder
{
public:
    BmpEncoder();
    Result<void> checkSize(QSize size) const override;
    std::unique_ptr<RowStream> startStream(QIODevice &device, int width,
                                           int quality) const override;
};

} // namespace tessaly
