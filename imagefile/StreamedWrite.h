#pragma once

#include "imagefile/ImageEncoder.h"

namespace tessaly {

/// Writes a whole picture through the encoder's own row stream, so that a picture given at
/// once and one given block by block are written by the same code.
inline Result<void> writeThroughStream(const ImageEncoder &encoder, const QImage &image,
                                       QIODevice &device, int quality)
{
    const std::unique_ptr<RowStream> stream = encoder.startStream(device, image.width(), quality);
    const Result<void> added = stream->addRows(image.format() == QImage::Format_RGB32
                                                   ? image
                                                   : image.convertToFormat(QImage::Format_RGB32));
    if (!added)
        return added;
    return stream->finish();
}

} // namespace tessaly
