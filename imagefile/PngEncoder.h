#pragma once

#include "imagefile/StreamingEncoder.h"

namespace tessaly {

/// Writes 8-bit RGB PNG files block of rows by block of rows, every row unfiltered, the
/// chunks written here over zlib. Trying the five row filters on every row, as general
/// writers do, costs half the write on screenshots (flat colour, text) and gives larger
/// files than no filter at all. The height in the header is filled in when the picture
/// ends, which a library writer that wants it up front could not do.
class PngEncoder : public StreamingEncoder
{
public:
    PngEncoder();
    Result<void> checkSize(QSize size) const override;
    std::unique_ptr<RowStream> startStream(QIODevice &device, int width,
                                           int quality) const override;
};

} // namespace tessaly
