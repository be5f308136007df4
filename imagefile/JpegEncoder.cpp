#include "imagefile/JpegEncoder.h"

#include "imagefile/PackedRowStream.h"
#include "imagefile/SizeLimits.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t first
#include <memory>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

using namespace Qt::StringLiterals;

namespace tessaly {

namespace {

constexpr std::size_t BufferBytes = 64 * 1024;
// The markers before the first compressed row (JFIF, tables, frame and scan headers) take
// well under this; the frame header is looked for in it.
constexpr std::size_t KeptHeaderBytes = 16 * 1024;
constexpr std::uint16_t ScreenDotsPerInch = 96;

// What libjpeg's callbacks share with the stream. libjpeg reports errors by a long jump
// back into the guarded calls below, so nothing between the two may need a destructor to
// run; this lives on the heap with the stream and outlives every jump.
struct Compressor
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_destination_mgr destination{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
    bool created = false;
    QIODevice *device = nullptr;
    std::vector<JOCTET> buffer = std::vector<JOCTET>(BufferBytes);
    std::vector<std::uint8_t> header; // the first bytes written
};

Compressor &compressorOf(j_common_ptr info)
{
    return *static_cast<Compressor *>(info->client_data);
}

[[noreturn]] void onError(j_common_ptr info)
{
    Compressor &compressor = compressorOf(info);
    (*info->err->format_message)(info, compressor.message);
    std::longjmp(compressor.jump, 1);
}

void onMessage(j_common_ptr, int) {} // warnings change nothing in the file

void initDestination(j_compress_ptr info)
{
    Compressor &compressor = compressorOf(reinterpret_cast<j_common_ptr>(info));
    info->dest->next_output_byte = compressor.buffer.data();
    info->dest->free_in_buffer = compressor.buffer.size();
}

// Writes the first `bytes` of the buffer; a refusal ends the compression by libjpeg's error
// path, since compressing what the device no longer takes would only cost time.
void flushBuffer(j_compress_ptr info, std::size_t bytes)
{
    Compressor &compressor = compressorOf(reinterpret_cast<j_common_ptr>(info));
    if (compressor.header.size() < KeptHeaderBytes) {
        const std::size_t kept = std::min(bytes, KeptHeaderBytes - compressor.header.size());
        compressor.header.insert(compressor.header.end(), compressor.buffer.begin(),
                                 compressor.buffer.begin() + std::ptrdiff_t(kept));
    }
    if (compressor.device->write(reinterpret_cast<const char *>(compressor.buffer.data()),
                                 qint64(bytes)) != qint64(bytes)) {
        info->err->msg_code = JERR_FILE_WRITE;
        (*info->err->error_exit)(reinterpret_cast<j_common_ptr>(info));
    }
    info->dest->next_output_byte = compressor.buffer.data();
    info->dest->free_in_buffer = compressor.buffer.size();
}

boolean emptyBuffer(j_compress_ptr info)
{
    flushBuffer(info, compressorOf(reinterpret_cast<j_common_ptr>(info)).buffer.size());
    return TRUE;
}

void termDestination(j_compress_ptr info)
{
    flushBuffer(info, BufferBytes - info->dest->free_in_buffer);
}

// The guarded calls: each returns false when libjpeg gave up, with its message kept.
bool start(Compressor &c, int width, int quality)
{
    if (setjmp(c.jump))
        return false;
    c.info.err = jpeg_std_error(&c.errors);
    c.errors.error_exit = onError;
    c.errors.emit_message = onMessage;
    c.info.client_data = &c;
    jpeg_create_compress(&c.info);
    c.created = true;
    c.destination.init_destination = initDestination;
    c.destination.empty_output_buffer = emptyBuffer;
    c.destination.term_destination = termDestination;
    c.info.dest = &c.destination;
    c.info.image_width = JDIMENSION(width);
    c.info.image_height = JpegEncoder::MaxSide; // the real height is known only at the end
    c.info.input_components = 3;
    c.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c.info);
    c.info.density_unit = 1; // dots per inch
    c.info.X_density = ScreenDotsPerInch;
    c.info.Y_density = ScreenDotsPerInch;
    jpeg_set_quality(&c.info, quality, TRUE);
    c.info.optimize_coding = FALSE;
    jpeg_start_compress(&c.info, TRUE);
    return true;
}

bool compressRow(Compressor &c, JSAMPROW row)
{
    if (setjmp(c.jump))
        return false;
    jpeg_write_scanlines(&c.info, &row, 1);
    return true;
}

bool end(Compressor &c)
{
    if (setjmp(c.jump))
        return false;
    // Every row given is in whole rows of blocks by now, so libjpeg ends where they end.
    c.info.image_height = c.info.next_scanline;
    jpeg_finish_compress(&c.info);
    return true;
}

// Where in the kept bytes the frame header's height lies; -1 when it is not there.
qint64 frameHeightOffset(const std::vector<std::uint8_t> &bytes)
{
    std::size_t at = 2; // after the start of image
    while (at + 4 <= bytes.size() && bytes[at] == 0xff) {
        const std::uint8_t marker = bytes[at + 1];
        // Start of frame markers are C0 to CF, less C4 (tables), C8 (reserved), CC (coding).
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc)
            return at + 7 <= bytes.size() ? qint64(at + 5) : -1;
        if (marker == 0xda) // start of scan: no frame header before it
            return -1;
        at += 2 + ((std::size_t(bytes[at + 2]) << 8) | bytes[at + 3]);
    }
    return -1;
}

class JpegRowStream : public PackedRowStream
{
public:
    JpegRowStream(QIODevice &device, int width, int quality)
        : PackedRowStream(width, Order::Rgb, 0, size_t(width) * 3), m_device(device),
          m_start(device.pos())
    {
        m_compressor->device = &device;
        if (!start(*m_compressor, width, quality))
            startWith(libjpegFailure());
    }

    ~JpegRowStream() override
    {
        if (m_compressor->created)
            jpeg_destroy_compress(&m_compressor->info);
    }
    JpegRowStream(const JpegRowStream &) = delete;
    JpegRowStream &operator=(const JpegRowStream &) = delete;

private:
    Result<void> writeRow(std::uint8_t *row) override
    {
        if (rows() >= JpegEncoder::MaxSide)
            return fail(u"JPEG files hold at most 65,500 rows"_s);
        if (!compressRow(*m_compressor, row))
            return libjpegFailure();
        return {};
    }

    Result<void> finishRows() override
    {
        // The last row of blocks is filled with copies of the last row, much as libjpeg fills
        // the bottom of a picture whose height it knows (the same pixels for an odd height;
        // for an even one libjpeg takes the colour of the last two rows, a few levels off).
        // The format's limit is no whole number of block rows: there libjpeg fills the rest.
        jpeg_compress_struct &info = m_compressor->info;
        const JDIMENSION blockRows = JDIMENSION(info.max_v_samp_factor * DCTSIZE);
        const JDIMENSION filled = std::min(
            (JDIMENSION(rows()) + blockRows - 1) / blockRows * blockRows, info.image_height);
        while (info.next_scanline < filled) {
            if (!compressRow(*m_compressor, lastRow()))
                return libjpegFailure();
        }
        if (!end(*m_compressor))
            return libjpegFailure();
        return writeHeight();
    }

    Result<void> writeHeight()
    {
        const qint64 offset = frameHeightOffset(m_compressor->header);
        if (offset < 0)
            return fail(u"libjpeg wrote no frame header"_s);
        return rewriteAt(m_device, m_start + offset, [this]() -> Result<void> {
            const char height[2] = {char(rows() >> 8), char(rows() & 0xff)};
            if (m_device.write(height, 2) != 2)
                return fail(u"the device did not take the header"_s);
            return {};
        });
    }

    Failure libjpegFailure() const
    {
        return fail(u"libjpeg: "_s + QString::fromLocal8Bit(m_compressor->message));
    }

    QIODevice &m_device;
    const qint64 m_start;
    std::unique_ptr<Compressor> m_compressor = std::make_unique<Compressor>();
};

} // namespace

JpegEncoder::JpegEncoder()
    : StreamingEncoder(QUuid::fromString(u"{3688a424-e50e-44fc-9de3-c2b615a46fc3}"_s),
                       u"image/jpeg"_s)
{
}

Result<void> JpegEncoder::checkSize(QSize size) const
{
    return SizeLimits::checkSide(size, u"JPEG"_s, MaxSide);
}

std::unique_ptr<RowStream> JpegEncoder::startStream(QIODevice &device, int width, int quality) const
{
    return std::make_unique<JpegRowStream>(device, width,
                                           quality >= 1 ? std::min(quality, 100) : DefaultQuality);
}

} // namespace tessaly
