#include "SamplePictures.h"

#include <QFont>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

QImage SamplePictures::webPage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image); // text is anti-aliased by default

    const int band = height / 6;
    p.fillRect(0, 0, width, band / 2, QColor(0x1a, 0x73, 0xe8));        // header
    p.fillRect(0, band / 2, width, band / 4, QColor(0xf1, 0xf3, 0xf4)); // menu bar

    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(QColor(0x20, 0x21, 0x24));
    const QString words = u"The quick brown fox jumps over the lazy dog, 0123456789 times."_s;
    for (int y = band + 16; y < band * 3; y += 18)
        p.drawText(8, y, words);

    QLinearGradient gradient(0, 0, width, 0);
    gradient.setColorAt(0.0, QColor(0xff, 0x8a, 0x00));
    gradient.setColorAt(1.0, QColor(0x2b, 0x58, 0x76));
    p.fillRect(0, band * 3, width, band, gradient);
    p.end();

    // Photo-like: smooth colour waves with a little deterministic grain.
    QRandomGenerator grain(12345);
    for (int y = band * 4; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int g = int(grain.bounded(16)) - 8;
            const auto wave = [&](double fx, double fy, double phase) {
                return std::clamp(int(128 + 90 * std::sin(x * fx + phase) * std::cos(y * fy)) + g,
                                  0, 255);
            };
            image.setPixel(
                x, y,
                qRgb(wave(0.031, 0.023, 0.0), wave(0.017, 0.041, 1.3), wave(0.043, 0.011, 2.1)));
        }
    }
    return image;
}

QImage SamplePictures::rowsAndColumns(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb(y & 0xff, (y >> 8) & 0xff, ((y >> 16) * 64 + x) & 0xff);
    }
    return image;
}

tessaly::Result<void> streamInBlocks(tessaly::SaveBitmapAs &writer, const QImage &image,
                                     const QString &path)
{
    auto opened = writer.OpenImageFile(path, image.width());
    if (!opened)
        return tessaly::fail(opened.error());
    const int blocks[] = {1, 700, 64, 4097, 63, 30011, 2};
    for (int y = 0, i = 0; y < image.height(); ++i) {
        const int rows = std::min(blocks[i % std::size(blocks)], image.height() - y);
        if (auto added = (*opened)->addRows(image.copy(0, y, image.width(), rows)); !added)
            return added;
        y += rows;
    }
    return (*opened)->commit();
}

QImage readWithQt(const QString &path, QByteArray *format)
{
    QImageReader::setAllocationLimit(0); // screenshots are often over Qt's default 128 MB
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (format)
        *format = reader.format();
    const QImage image = reader.read();
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

ChannelError channelError(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return {};
    double total = 0.0;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb pa = a.pixel(x, y), pb = b.pixel(x, y);
            for (const int d :
                 {qRed(pa) - qRed(pb), qGreen(pa) - qGreen(pb), qBlue(pa) - qBlue(pb)}) {
                total += std::abs(d);
                largest = std::max(largest, std::abs(d));
            }
        }
    }
    return {total / (3.0 * double(a.width()) * double(a.height())), largest};
}
