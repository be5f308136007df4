#pragma once

#include "imagefile/ImageEncoder.h"

namespace tessaly {

/// Writes PNG files through libpng with every row unfiltered. Qt's PNG writer lets libpng
/// try all five row filters on every row; on screenshots (flat colour, text) that search
/// costs half the write and gives larger files than no filter at all.
class PngEncoder : public ImageEncoder
{
public:
    EncoderId id() const override;
    QString mimeType() const override;
    QString sizeProblem(QSize size) const override;
    bool write(const QImage &image, QIODevice &device, QString &error) const override;
};

} // namespace tessaly
