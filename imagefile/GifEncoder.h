#pragma once

#include "imagefile/ImageEncoder.h"

namespace tessaly {

/// Writes GIF files through giflib: one 8-bit palette image, the palette chosen by
/// ColourQuantiser over the whole picture. Qt has no GIF writer of its own.
class GifEncoder : public ImageEncoder
{
public:
    EncoderId id() const override;
    QString mimeType() const override;
    QString sizeProblem(QSize size) const override;
    bool write(const QImage &image, QIODevice &device, QString &error) const override;
};

} // namespace tessaly
