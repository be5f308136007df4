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
    QString sizeProblem(QSize size) const override;
    bool write(const QImage &image, QIODevice &device, QString &error) const override;
    bool writeAtQuality(const QImage &image, QIODevice &device, int quality,
                        QString &error) const override;

private:
    Format m_format;
};

} // namespace tessaly
