#pragma once

#include "imagefile/StreamingEncoder.h"

namespace tessaly {

/// Writes baseline JPEG files through libjpeg's row interface as the rows come, with the
/// settings Qt's writer uses (quality 75 unless given, no optimised tables, not
/// progressive), so the pixels come back as from Qt's own file.
///
/// libjpeg wants the height before the first row. The stream announces the format's
/// largest, and when the picture ends it fills the last row of blocks with copies of the
/// last row, tells libjpeg that is all, and writes the true height into the frame header.
class JpegEncoder : public StreamingEncoder
{
public:
    JpegEncoder();
    Result<void> checkSize(QSize size) const override;
    std::unique_ptr<RowStream> startStream(QIODevice &device, int width,
                                           int quality) const override;

    /// The quality of files written without one.
    static constexpr int DefaultQuality = 75;
    /// libjpeg refuses anything larger, although the file format's fields are 16-bit.
    static constexpr int MaxSide = 65500;
};

} // namespace tessaly
