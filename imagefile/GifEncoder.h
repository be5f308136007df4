#pragma once

#include "imagefile/ImageEncoder.h"

namespace tessaly {

/// Writes GIF files through giflib: one 8-bit palette image, the palette chosen by
/// ColourQuantiser over the whole picture. Qt has no GIF writer of its own.
///
/// The palette needs every pixel before the first is written, so a stream of GIF rows
/// keeps the whole picture (the default WholePictureStream): width x rows x 4 bytes, at
/// most 65,535 rows, with up to half as much again of room to grow and, while it grows,
/// the old copy beside the new; the palette copy adds width x rows bytes at the end.
/// 1,920 x 65,535 rows is thus about 500 MB, and some 1.3 GB at the worst moment.
class GifEncoder : public ImageEncoder
{
public:
    EncoderId id() const override;
    QString mimeType() const override;
    Result<void> checkSize(QSize size) const override;
    Result<void> write(const QImage &image, QIODevice &device) const override;
};

} // namespace tessaly
