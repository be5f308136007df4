#include "imagefile/PngEncoder.h"

#include "imagefile/PackedRowStream.h"
#include "imagefile/PackedRows.h"
#include "imagefile/SizeLimits.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <vector>

using namespace Qt::StringLiterals;

namespace tessaly {

namespace {

// The format allows 2^31 - 1 a side, but the common readers, Qt's among them, refuse
// anything past a million rows or columns: a file they cannot open is no screenshot.
constexpr qint64 PngMaxSide = 1000000;

constexpr std::array<std::uint8_t, 8> Signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
// Compressed data goes out in chunks of this size.
constexpr std::size_t IdatBytes = 64 * 1024;

class PngRowStream : public PackedRowStream
{
public:
    // Each row begins with its filter type, 0 (None).
    PngRowStream(QIODevice &device, int width)
        : PackedRowStream(width, Order::Rgb, 1, 1 + size_t(width) * 3), m_device(device),
          m_start(device.pos()), m_compressed(IdatBytes)
    {
        // The default level, as PNG writers use; memory and window as zlib's defaults.
        if (deflateInit(&m_zlib, Z_DEFAULT_COMPRESSION) != Z_OK) {
            startWith(fail(u"zlib could not start compressing"_s));
            return;
        }
        m_zlibStarted = true;
        m_zlib.next_out = m_compressed.data();
        m_zlib.avail_out = uInt(m_compressed.size());
        if (m_device.write(reinterpret_cast<const char *>(Signature.data()), Signature.size()) !=
            qint64(Signature.size()))
            startWith(fail(u"the device did not take the header"_s));
        else
            startWith(writeHeader(0)); // the height is filled in at the end
    }

    ~PngRowStream() override
    {
        if (m_zlibStarted)
            deflateEnd(&m_zlib);
    }
    PngRowStream(const PngRowStream &) = delete;
    PngRowStream &operator=(const PngRowStream &) = delete;

private:
    Result<void> writeRow(std::uint8_t *row) override
    {
        m_zlib.next_in = row;
        m_zlib.avail_in = uInt(rowBytes());
        return deflateAll(Z_NO_FLUSH);
    }

    Result<void> finishRows() override
    {
        m_zlib.next_in = nullptr;
        m_zlib.avail_in = 0;
        if (Result<void> done = deflateAll(Z_FINISH); !done)
            return done;
        if (Result<void> done = writeIdat(); !done)
            return done;
        if (Result<void> done = writeChunk("IEND", nullptr, 0); !done)
            return done;
        return rewriteAt(m_device, m_start + qint64(Signature.size()),
                         [this] { return writeHeader(std::uint32_t(rows())); });
    }

    // Compresses what is waiting, writing every chunk that fills up; Z_FINISH also ends
    // the compressed stream.
    Result<void> deflateAll(int flush)
    {
        for (;;) {
            const int result = deflate(&m_zlib, flush);
            if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
                return fail(u"zlib failed to compress the rows"_s);
            if (m_zlib.avail_out == 0) {
                if (Result<void> written = writeIdat(); !written)
                    return written;
                continue;
            }
            // Output room is left: zlib has taken all the input, or ended the stream.
            if (flush != Z_FINISH || result == Z_STREAM_END)
                return {};
        }
    }

    Result<void> writeIdat()
    {
        const std::size_t bytes = m_compressed.size() - m_zlib.avail_out;
        if (bytes > 0) {
            if (Result<void> written = writeChunk("IDAT", m_compressed.data(), bytes); !written)
                return written;
        }
        m_zlib.next_out = m_compressed.data();
        m_zlib.avail_out = uInt(m_compressed.size());
        return {};
    }

    Result<void> writeHeader(std::uint32_t height)
    {
        std::array<std::uint8_t, 13> data{};
        PackedRows::putBigEndian32(&data[0], std::uint32_t(width()));
        PackedRows::putBigEndian32(&data[4], height);
        data[8] = 8; // bits a sample
        data[9] = 2; // RGB; compression, filter method and interlace stay 0
        return writeChunk("IHDR", data.data(), data.size());
    }

    Result<void> writeChunk(const char (&type)[5], const std::uint8_t *data, std::size_t bytes)
    {
        std::array<std::uint8_t, 8> head{};
        PackedRows::putBigEndian32(&head[0], std::uint32_t(bytes));
        for (int i = 0; i < 4; ++i)
            head[4 + i] = std::uint8_t(type[i]);
        uLong crc = crc32(0L, &head[4], 4);
        if (bytes > 0)
            crc = crc32(crc, data, uInt(bytes));
        std::array<std::uint8_t, 4> tail{};
        PackedRows::putBigEndian32(tail.data(), std::uint32_t(crc));
        const bool taken = m_device.write(reinterpret_cast<const char *>(head.data()), 8) == 8 &&
                           (bytes == 0 || m_device.write(reinterpret_cast<const char *>(data),
                                                         qint64(bytes)) == qint64(bytes)) &&
                           m_device.write(reinterpret_cast<const char *>(tail.data()), 4) == 4;
        if (!taken)
            return fail(u"the device did not take the data"_s);
        return {};
    }

    QIODevice &m_device;
    const qint64 m_start;
    std::vector<std::uint8_t> m_compressed;
    z_stream m_zlib{};
    bool m_zlibStarted = false;
};

} // namespace

PngEncoder::PngEncoder()
    : StreamingEncoder(QUuid::fromString(u"{6a082475-82e4-4ece-b1e9-528aad0ebd28}"_s),
                       u"image/png"_s)
{
}

Result<void> PngEncoder::checkSize(QSize size) const
{
    return SizeLimits::checkSide(size, u"PNG"_s, PngMaxSide);
}

std::unique_ptr<RowStream> PngEncoder::startStream(QIODevice &device, int width, int) const
{
    return std::make_unique<PngRowStream>(device, width);
}

} // namespace tessaly
