#include "IndependentDecoder.h"

#include <QImageReader>

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
