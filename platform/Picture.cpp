#include "platform/Picture.h"

#include <QImageReader>

namespace tessaly {

Picture::Picture(const QImage &image)
    : m_image(image.format() == QImage::Format_RGB32 || image.isNull()
                  ? image
                  : image.convertToFormat(QImage::Format_RGB32))
{
}

Picture Picture::fromFile(const QString &path, QString *error)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = reader.errorString();
        return {};
    }
    return Picture(image);
}

} // namespace tessaly
