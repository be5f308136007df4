#pragma once

#include "base/Result.h"

#include <QImage>

namespace tessaly {

/// A picture owning its raster, always held as 32-bit RGB so that surfaces can copy rows
/// straight from it.
class Picture
{
public:
    Picture() = default;
    explicit Picture(const QImage &image);

    bool isNull() const { return m_image.isNull(); }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    const QImage &image() const { return m_image; }

    /// Loads a picture file (BMP, GIF, JPEG, PNG, TIFF), or says why it cannot be read.
    static Result<Picture> fromFile(const QString &path);
    /// The same for a file's bytes already read.
    static Result<Picture> fromData(const QByteArray &bytes);

private:
    QImage m_image;
};

} // namespace tessaly
