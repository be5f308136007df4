#include "imagefile/GifEncoder.h"

#include "imagefile/ColourQuantiser.h"
#include "imagefile/SizeLimits.h"

#include <gif_lib.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace tessaly {

namespace {

// Screen and image sizes are 16-bit fields.
constexpr qint64 GifMaxSide = 65535;

int writeToDevice(GifFileType *gif, const GifByteType *data, int length)
{
    auto *device = static_cast<QIODevice *>(gif->UserData);
    const qint64 written = device->write(reinterpret_cast<const char *>(data), length);
    return written < 0 ? 0 : int(written);
}

struct GifCloser
{
    void operator()(GifFileType *gif) const
    {
        int ignored = 0;
        EGifCloseFile(gif, &ignored);
    }
};

struct MapFreer
{
    void operator()(ColorMapObject *map) const { GifFreeMapObject(map); }
};

QString gifError(int code)
{
    const char *text = GifErrorString(code);
    return text ? QString::fromLatin1(text) : u"GIF error %1"_s.arg(code);
}

} // namespace

EncoderId GifEncoder::id() const
{
    return QUuid::fromString(u"{0c074ba3-2493-4c9e-957d-140aaa3e5fd5}"_s);
}

QString GifEncoder::mimeType() const
{
    return u"image/gif"_s;
}

Result<void> GifEncoder::checkSize(QSize size) const
{
    return SizeLimits::checkSide(size, u"GIF"_s, GifMaxSide);
}

Result<void> GifEncoder::write(const QImage &image, QIODevice &device) const
{
    QImage indexed = ColourQuantiser().quantise(image);
    if (indexed.isNull())
        return fail(u"Not enough memory for the palette copy of the picture"_s);

    // The colour table's size must be a power of two; unused entries stay black.
    const QList<QRgb> palette = indexed.colorTable();
    const int mapSize = 1 << GifBitSize(int(palette.size()));
    std::vector<GifColorType> colours(std::size_t(mapSize), GifColorType{0, 0, 0});
    for (qsizetype i = 0; i < palette.size(); ++i) {
        colours[std::size_t(i)] = {GifByteType(qRed(palette[i])), GifByteType(qGreen(palette[i])),
                                   GifByteType(qBlue(palette[i]))};
    }
    const std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(mapSize, colours.data()));
    if (!map)
        return fail(u"Not enough memory for the GIF colour table"_s);

    int code = E_GIF_SUCCEEDED;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&device, &writeToDevice, &code));
    if (!gif)
        return fail(gifError(code));
    const int width = indexed.width();
    const int height = indexed.height();
    if (EGifPutScreenDesc(gif.get(), width, height, 8, 0, map.get()) != GIF_OK ||
        EGifPutImageDesc(gif.get(), 0, 0, width, height, false, nullptr) != GIF_OK) {
        return fail(gifError(gif->Error));
    }
    for (int y = 0; y < height; ++y) {
        // giflib masks the line in place, hence the writable scan line of our own copy.
        if (EGifPutLine(gif.get(), indexed.scanLine(y), width) != GIF_OK)
            return fail(gifError(gif->Error));
    }
    if (EGifCloseFile(gif.release(), &code) != GIF_OK)
        return fail(gifError(code));
    return {};
}

} // namespace tessaly
