#include "imagefile/QtImageEncoder.h"

#include "imagefile/SizeLimits.h"

#include <QImageWriter>

#include <algorithm>
#include <cstdint>
#include <limits>

using namespace Qt::StringLiterals;

namespace tessaly {

namespace {

struct FormatInfo
{
    QString displayName;
    QByteArray mimeType;
    QByteArray qtFormat;
    QString id;
};

FormatInfo infoFor(QtImageEncoder::Format format)
{
    switch (format) {
    case QtImageEncoder::Format::Bmp:
        return {u"BMP"_s, "image/bmp", "bmp", u"{5d702fca-1a84-4556-b712-ac883b436551}"_s};
    case QtImageEncoder::Format::Jpeg:
        return {u"JPEG"_s, "image/jpeg", "jpeg", u"{3688a424-e50e-44fc-9de3-c2b615a46fc3}"_s};
    case QtImageEncoder::Format::Tiff:
        return {u"TIFF"_s, "image/tiff", "tiff", u"{5411e10e-2fbd-4f69-800d-6052c188baec}"_s};
    }
    Q_UNREACHABLE();
}

// libjpeg refuses anything above this, although the file format's fields are 16-bit.
constexpr qint64 JpegMaxSide = 65500;
// Qt's BMP and TIFF writers size the pixel data in signed 32-bit arithmetic, so neither may
// reach 2 GB, although the formats themselves allow up to 4 GB.
constexpr qint64 Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr qint64 BmpHeaderBytes = 14 + 40;
// Room for the TIFF directory and the strip offset and size tables.
constexpr qint64 TiffOverheadBytes = 16 * 1024 * 1024;

} // namespace

QtImageEncoder::QtImageEncoder(Format format) : m_format(format) {}

bool QtImageEncoder::isAvailable(Format format)
{
    const FormatInfo info = infoFor(format);
    return QImageWriter::supportedMimeTypes().contains(info.mimeType) &&
           QImageWriter::supportedImageFormats().contains(info.qtFormat);
}

EncoderId QtImageEncoder::id() const
{
    return QUuid::fromString(infoFor(m_format).id);
}

QString QtImageEncoder::mimeType() const
{
    return QString::fromLatin1(infoFor(m_format).mimeType);
}

Result<void> QtImageEncoder::checkSize(QSize size) const
{
    const FormatInfo info = infoFor(m_format);
    const qint64 width = size.width();
    const qint64 height = size.height();
    switch (m_format) {
    case Format::Bmp: {
        // 24-bit rows padded to four bytes, bottom-up, after the two headers.
        const qint64 rowBytes = (width * 24 + 31) / 32 * 4;
        return SizeLimits::checkBytes(size, info.displayName, BmpHeaderBytes + rowBytes * height,
                                      Int32Max);
    }
    case Format::Jpeg:
        return SizeLimits::checkSide(size, info.displayName, JpegMaxSide);
    case Format::Tiff:
        // Uncompressed 8-bit RGB strips.
        return SizeLimits::checkBytes(size, info.displayName, width * height * 3,
                                      Int32Max - TiffOverheadBytes);
    }
    Q_UNREACHABLE();
}

Result<void> QtImageEncoder::write(const QImage &image, QIODevice &device) const
{
    return writeAtQuality(image, device, -1);
}

Result<void> QtImageEncoder::writeAtQuality(const QImage &image, QIODevice &device,
                                            int quality) const
{
    QImageWriter writer(&device, infoFor(m_format).qtFormat);
    // Only JPEG trades picture for size; the lossless writers would read it as compression.
    if (m_format == Format::Jpeg && quality >= 1)
        writer.setQuality(std::min(quality, 100));
    if (writer.write(image))
        return {};
    return fail(writer.errorString());
}

} // namespace tessaly
