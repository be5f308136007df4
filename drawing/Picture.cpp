#include "drawing/Picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <cstdlib>

namespace tessaly {

namespace {

// Qt reads a cut-off bitmap without complaint and fills the missing rows; a picture stamped
// on every capture must be whole, so an uncompressed bitmap shorter than its rows is refused.
bool bitmapIsCut(const QByteArray &bytes)
{
    const QByteArray header = bytes.left(54);
    if (header.size() < 30 || !header.startsWith("BM"))
        return false;
    const auto u16 = [&header](int at) {
        return qFromLittleEndian<quint16>(header.constData() + at);
    };
    const auto u32 = [&header](int at) {
        return qFromLittleEndian<quint32>(header.constData() + at);
    };
    const qint64 offset = u32(10);
    const quint32 infoSize = u32(14);
    qint64 width = 0, height = 0, bits = 0, compression = 0;
    if (infoSize == 12) { // the oldest header: 16-bit sizes
        width = u16(18);
        height = u16(20);
        bits = u16(24);
    } else if (header.size() >= 34) {
        width = qint32(u32(18));
        height = std::abs(qint32(u32(22)));
        bits = u16(28);
        compression = u32(30);
    }
    if (compression == 1 || compression == 2 || compression == 4 || compression == 5)
        return false; // run-length and embedded pictures have no fixed length
    const qint64 stride = ((width * bits + 31) / 32) * 4;
    return offset + stride * height > bytes.size();
}

} // namespace

Picture::Picture(const QImage &image)
    : m_image(image.format() == QImage::Format_RGB32 || image.isNull()
                  ? image
                  : image.convertToFormat(QImage::Format_RGB32))
{
}

Result<Picture> Picture::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    return fromData(bytes);
}

Result<Picture> Picture::fromData(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format(); // read() forgets it
    const QImage image = reader.read();
    if (image.isNull())
        return fail(reader.errorString());
    if (format == "bmp" && bitmapIsCut(bytes))
        return fail(QStringLiteral("The bitmap is cut off: the file ends before its last row."));
    return Picture(image);
}

} // namespace tessaly
