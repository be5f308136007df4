#include "imagefile/TiffEncoder.h"

#include "imagefile/PackedRowStream.h"
#include "imagefile/SizeLimits.h"

#include <tiffio.h>

#include <cstdarg>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace tessaly {

namespace {

// Classic TIFF stores offsets in 32 bits, so the whole file stays under 4 GB. The strips
// come first; after them go the directory and the strip offset and size tables (8 bytes
// a strip), for which this leaves ample room.
constexpr qint64 MaxFileBytes = 0xffffffffLL;
constexpr qint64 DirectoryRoomBytes = 16 * 1024 * 1024;

// libtiff's view of the device; the stream's first byte is offset 0 of the file.
struct Client
{
    QIODevice *device = nullptr;
    qint64 start = 0;
    QString error; // libtiff's first complaint
};

tmsize_t readProc(thandle_t handle, void *data, tmsize_t size)
{
    return tmsize_t(static_cast<Client *>(handle)->device->read(static_cast<char *>(data), size));
}

tmsize_t writeProc(thandle_t handle, void *data, tmsize_t size)
{
    return tmsize_t(
        static_cast<Client *>(handle)->device->write(static_cast<const char *>(data), size));
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence)
{
    auto *client = static_cast<Client *>(handle);
    qint64 target = qint64(offset);
    if (whence == SEEK_CUR)
        target += client->device->pos() - client->start;
    else if (whence == SEEK_END)
        target += client->device->size() - client->start;
    if (!client->device->seek(client->start + target))
        return toff_t(-1);
    return toff_t(target);
}

int closeProc(thandle_t)
{
    return 0; // the device belongs to the caller
}

toff_t sizeProc(thandle_t handle)
{
    auto *client = static_cast<Client *>(handle);
    return toff_t(client->device->size() - client->start);
}

int mapProc(thandle_t, void **, toff_t *)
{
    return 0; // no mapping: libtiff reads and writes through the procedures above
}

void unmapProc(thandle_t, void *, toff_t) {}

int onError(TIFF *, void *userData, const char *module, const char *format, va_list args)
{
    auto *client = static_cast<Client *>(userData);
    if (client->error.isEmpty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, args);
        client->error =
            module ? QString::fromLocal8Bit(module) + u": "_s + QString::fromLocal8Bit(text)
                   : QString::fromLocal8Bit(text);
    }
    return 1; // handled: nothing goes to the standard error stream
}

int onWarning(TIFF *, void *, const char *, const char *, va_list)
{
    return 1;
}

class TiffRowStream : public PackedRowStream
{
public:
    TiffRowStream(QIODevice &device, int width)
        : PackedRowStream(width, Order::Rgb, 0, size_t(width) * 3)
    {
        m_client.device = &device;
        m_client.start = device.pos();
        TIFFOpenOptions *options = TIFFOpenOptionsAlloc();
        if (!options) {
            startWith(fail(u"libtiff could not start a TIFF file"_s));
            return;
        }
        // Handlers of this file alone: libtiff's global ones would be shared by every thread.
        TIFFOpenOptionsSetErrorHandlerExtR(options, onError, &m_client);
        TIFFOpenOptionsSetWarningHandlerExtR(options, onWarning, &m_client);
        m_tiff = TIFFClientOpenExt("image", "w", &m_client, readProc, writeProc, seekProc,
                                   closeProc, sizeProc, mapProc, unmapProc, options);
        TIFFOpenOptionsFree(options);
        if (!m_tiff) {
            startWith(failure(u"libtiff could not start a TIFF file"_s));
            return;
        }
        // One row to begin with; each row written past the end lengthens the image.
        const bool set =
            TIFFSetField(m_tiff, TIFFTAG_IMAGEWIDTH, std::uint32_t(width)) &&
            TIFFSetField(m_tiff, TIFFTAG_IMAGELENGTH, std::uint32_t(1)) &&
            TIFFSetField(m_tiff, TIFFTAG_BITSPERSAMPLE, 8) &&
            TIFFSetField(m_tiff, TIFFTAG_SAMPLESPERPIXEL, 3) &&
            TIFFSetField(m_tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
            TIFFSetField(m_tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
            TIFFSetField(m_tiff, TIFFTAG_COMPRESSION, COMPRESSION_NONE) &&
            TIFFSetField(m_tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
            TIFFSetField(m_tiff, TIFFTAG_ROWSPERSTRIP, std::uint32_t(TiffEncoder::RowsPerStrip));
        if (!set)
            startWith(failure(u"libtiff refused the picture's layout"_s));
    }

    ~TiffRowStream() override
    {
        // An unfinished file gets no directory: the caller throws it away.
        if (m_tiff)
            TIFFCleanup(m_tiff);
    }
    TiffRowStream(const TiffRowStream &) = delete;
    TiffRowStream &operator=(const TiffRowStream &) = delete;

private:
    Result<void> writeRow(std::uint8_t *row) override
    {
        if (TIFFWriteScanline(m_tiff, row, std::uint32_t(rows()), 0) != 1)
            return failure(u"libtiff could not write the rows"_s);
        return {};
    }

    Result<void> finishRows() override
    {
        // The last strip, then the directory with the final length and strip tables.
        if (!TIFFWriteDirectory(m_tiff))
            return failure(u"libtiff could not finish the file"_s);
        TIFFCleanup(m_tiff);
        m_tiff = nullptr;
        // Leaves the device at the end of the file, wherever libtiff put the directory.
        if (!m_client.device->seek(m_client.device->size()))
            return fail(u"the device cannot go to the end"_s);
        return {};
    }

    Failure failure(const QString &fallback) const
    {
        return fail(m_client.error.isEmpty() ? fallback : m_client.error);
    }

    Client m_client;
    TIFF *m_tiff = nullptr;
};

} // namespace

TiffEncoder::TiffEncoder()
    : StreamingEncoder(QUuid::fromString(u"{5411e10e-2fbd-4f69-800d-6052c188baec}"_s),
                       u"image/tiff"_s)
{
}

Result<void> TiffEncoder::checkSize(QSize size) const
{
    return SizeLimits::checkBytes(size, u"TIFF"_s, qint64(size.width()) * size.height() * 3,
                                  MaxFileBytes - DirectoryRoomBytes);
}

std::unique_ptr<RowStream> TiffEncoder::startStream(QIODevice &device, int width, int) const
{
    return std::make_unique<TiffRowStream>(device, width);
}

} // namespace tessaly
