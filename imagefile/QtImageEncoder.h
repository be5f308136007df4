#pragma once

#include "imagefile/ImageEncoder.h"

#include <QByteArray>

namespace tessaly {

/// An encoder over Qt's image writers, for the formats whose writers come with Qt or its
/// image-format plugins.
class QtImageEncoder : public ImageEncoder
{
public:
    enum class Format
    {
        Bmp,
        Jpeg,
        Tiff
    };

    explicit QtImageEncoder(Format format);

    /// True when this Qt installation can write the format (TIFF needs a plugin).
    static bool isAvailable(Format format);

    EncoderId id() const override;
    QString mimeType() const override;
    Result<void> checkSize(QSize size) const override;
    Result<void> write(const QImage &image, QIODevice &device) const override;
    Result<void> writeAtQuality(const QImage &image, QIODevice &device, int quality) const override;

private:
    Format m_format;
};

} // namespace tessaly
