#include "imagefile/BmpEncoder.h"

#include "imagefile/PackedRowStream.h"
#include "imagefile/PackedRows.h"
#include "imagefile/SizeLimits.h"

#include <array>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace tessaly {

namespace {

constexpr qint64 FileHeaderBytes = 14;
constexpr qint64 InfoHeaderBytes = 40;
constexpr qint64 HeaderBytes = FileHeaderBytes + InfoHeaderBytes;
// The file header's size field is unsigned 32-bit, so a file may reach 4 GB less a byte;
// readers that take the field as signed would stop at 2 GB, but the format allows the rest.
constexpr qint64 MaxFileBytes = 0xffffffffLL;
// 96 dots per inch, what a screenshot is.
constexpr std::uint32_t PixelsPerMetre = 3780;

qint64 paddedRowBytes(qint64 width)
{
    return (width * 3 + 3) / 4 * 4; // each row padded to four bytes
}

class BmpRowStream : public PackedRowStream
{
public:
    BmpRowStream(QIODevice &device, int width)
        : PackedRowStream(width, Order::Bgr, 0, size_t(paddedRowBytes(width))), m_device(device),
          m_start(device.pos())
    {
        // The height is not known yet: the headers are written again at the end.
        startWith(writeHeaders(0));
    }

private:
    Result<void> writeRow(std::uint8_t *row) override
    {
        const auto bytes = qint64(rowBytes());
        if (m_device.write(reinterpret_cast<const char *>(row), bytes) != bytes)
            return fail(u"the device did not take the rows"_s);
        return {};
    }

    Result<void> finishRows() override
    {
        return rewriteAt(m_device, m_start, [this] { return writeHeaders(rows()); });
    }

    Result<void> writeHeaders(qint64 height)
    {
        using PackedRows::putLittleEndian32;
        const qint64 pixelBytes = qint64(rowBytes()) * height;
        std::array<std::uint8_t, HeaderBytes> header{};
        header[0] = 'B';
        header[1] = 'M';
        putLittleEndian32(&header[2], std::uint32_t(HeaderBytes + pixelBytes));
        putLittleEndian32(&header[10], std::uint32_t(HeaderBytes));
        std::uint8_t *info = &header[FileHeaderBytes];
        putLittleEndian32(&info[0], std::uint32_t(InfoHeaderBytes));
        putLittleEndian32(&info[4], std::uint32_t(width()));
        // A negative height says the top row comes first, so rows go out as they come.
        putLittleEndian32(&info[8], std::uint32_t(-std::int32_t(height)));
        info[12] = 1;  // planes
        info[14] = 24; // bits a pixel; compression 0 is none
        putLittleEndian32(&info[20], std::uint32_t(pixelBytes));
        putLittleEndian32(&info[24], PixelsPerMetre);
        putLittleEndian32(&info[28], PixelsPerMetre);
        if (m_device.write(reinterpret_cast<const char *>(header.data()), HeaderBytes) !=
            HeaderBytes)
            return fail(u"the device did not take the header"_s);
        return {};
    }

    QIODevice &m_device;
    const qint64 m_start;
};

} // namespace

BmpEncoder::BmpEncoder()
    : StreamingEncoder(QUuid::fromString(u"{5d702fca-1a84-4556-b712-ac883b436551}"_s),
                       u"image/bmp"_s)
{
}

Result<void> BmpEncoder::checkSize(QSize size) const
{
    return SizeLimits::checkBytes(
        size, u"BMP"_s, HeaderBytes + paddedRowBytes(size.width()) * qint64(size.height()),
        MaxFileBytes);
}

std::unique_ptr<RowStream> BmpEncoder::startStream(QIODevice &device, int width, int) const
{
    return std::make_unique<BmpRowStream>(device, width);
}

} // namespace tessaly
