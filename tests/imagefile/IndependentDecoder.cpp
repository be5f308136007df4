#include "IndependentDecoder.h"

#include <QFile>
#include <QImageReader>

#include <gif_lib.h>

#include <algorithm>
#include <cstdlib>

QImage IndependentDecoder::readWithQt(const QString &path, QByteArray *format)
{
    QImageReader::setAllocationLimit(0); // screenshots are often over Qt's default 128 MB
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (format)
        *format = reader.format();
    const QImage image = reader.read();
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

QImage IndependentDecoder::readGif(const QString &path)
{
    int error = 0;
    GifFileType *gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif)
        return {};
    QImage image;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
        const SavedImage &frame = gif->SavedImages[0];
        const ColorMapObject *map =
            frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
        const int width = frame.ImageDesc.Width;
        const int height = frame.ImageDesc.Height;
        if (map && !frame.ImageDesc.Interlace) {
            image = QImage(width, height, QImage::Format_RGB32);
            for (int y = 0; y < height; ++y) {
                QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
                const GifByteType *src = frame.RasterBits + qsizetype(y) * width;
                for (int x = 0; x < width; ++x) {
                    const GifColorType &c = map->Colors[src[x] % map->ColorCount];
                    row[x] = qRgb(c.Red, c.Green, c.Blue);
                }
            }
        }
    }
    DGifCloseFile(gif, &error);
    return image;
}

IndependentDecoder::ChannelError IndependentDecoder::channelError(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return {};
    double total = 0.0;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb *ra = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const QRgb *rb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            for (const int d : {qRed(ra[x]) - qRed(rb[x]), qGreen(ra[x]) - qGreen(rb[x]),
                                qBlue(ra[x]) - qBlue(rb[x])}) {
                total += std::abs(d);
                largest = std::max(largest, std::abs(d));
            }
        }
    }
    return {total / (3.0 * double(a.width()) * double(a.height())), largest};
}
