#include "imagefile/PngEncoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;

namespace tessaly {

namespace {

// libpng's writer rejects larger images as exceeding its user limit.
constexpr qint64 PngMaxSide = 1000000;

// What the callbacks below share with the encoding. libpng reports errors by a long jump
// back into encodeRows(), so nothing between the two may need a destructor to run.
struct WriteState
{
    QIODevice *device = nullptr;
    char message[256] = {};
};

void writeData(png_structp png, png_bytep data, size_t length)
{
    auto *state = static_cast<WriteState *>(png_get_io_ptr(png));
    const qint64 written =
        state->device->write(reinterpret_cast<const char *>(data), qint64(length));
    // Compressing the rest of a picture the device no longer takes would only cost time.
    if (written != qint64(length))
        png_error(png, "the device did not take the data");
}

void flushData(png_structp) {}

void onError(png_structp png, png_const_charp message)
{
    auto *state = static_cast<WriteState *>(png_get_error_ptr(png));
    std::strncpy(state->message, message, sizeof state->message - 1);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// Owns libpng's write and info structures.
class PngWriteStruct
{
public:
    explicit PngWriteStruct(WriteState &state)
        : m_png(png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, onError, onWarning))
    {
        if (m_png)
            m_info = png_create_info_struct(m_png);
    }
    ~PngWriteStruct() { png_destroy_write_struct(&m_png, m_info ? &m_info : nullptr); }
    PngWriteStruct(const PngWriteStruct &) = delete;
    PngWriteStruct &operator=(const PngWriteStruct &) = delete;

    bool isValid() const { return m_png && m_info; }
    png_structp png() const { return m_png; }
    png_infop info() const { return m_info; }

private:
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

// 8-bit RGB rows from an RGB32 image, in the byte order the file wants on any machine.
bool encodeRows(png_structp png, png_infop info, const QImage &image, png_bytep row)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0)
        png_set_pHYs(png, info, png_uint_32(image.dotsPerMeterX()),
                     png_uint_32(image.dotsPerMeterY()), PNG_RESOLUTION_METER);
    png_write_info(png, info);
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        png_bytep out = row;
        for (int x = 0; x < width; ++x) {
            *out++ = png_byte(qRed(pixels[x]));
            *out++ = png_byte(qGreen(pixels[x]));
            *out++ = png_byte(qBlue(pixels[x]));
        }
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

} // namespace

PngEncoder::PngEncoder()
    : SideLimitedEncoder(u"PNG"_s, u"image/png"_s,
                         QUuid::fromString(u"{6a082475-82e4-4ece-b1e9-528aad0ebd28}"_s), PngMaxSide)
{
}

Result<void> PngEncoder::write(const QImage &image, QIODevice &device) const
{
    const QImage rgb = image.format() == QImage::Format_RGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    WriteState state;
    state.device = &device;
    PngWriteStruct writer(state);
    if (!writer.isValid())
        return fail(u"libpng could not start a PNG file"_s);
    png_set_write_fn(writer.png(), &state, writeData, flushData);
    std::vector<png_byte> row(size_t(rgb.width()) * 3);
    if (encodeRows(writer.png(), writer.info(), rgb, row.data()))
        return {};
    return fail(QString::fromLatin1(state.message));
}

} // namespace tessaly
