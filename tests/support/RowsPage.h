#pragma once

#include <QByteArray>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

/// Checks of captures of tests/data/rows.html, whose 5-pixel bands carry their number in
/// their colour: red + 256 x green is the band, blue 160.
namespace rows {

/// The rows page written out in full, without a script: such a page is drawn a while after
/// it has loaded, which a scripted page hides.
inline QByteArray staticPage(int height)
{
    QByteArray html = "<!doctype html><html><head><style>html, body { margin: 0; padding: 0; }"
                      " div { height: 5px; width: 100%; }</style></head><body>";
    for (int i = 0; i < height / 5; ++i)
        html += "<div style=\"background: rgb(" + QByteArray::number(i & 255) + ", " +
                QByteArray::number((i >> 8) & 255) + ", 160)\"></div>";
    return html + "</body></html>";
}

/// The band number a pixel shows, -1 for anything else. `tolerance` allows lossy formats.
inline int bandOf(QRgb pixel, int tolerance = 0)
{
    if (std::abs(qBlue(pixel) - 160) > tolerance)
        return -1;
    return qRed(pixel) + 256 * qGreen(pixel);
}

/// Every output row up to the page's end shows the band that belongs there, checked in
/// the middle of each band at two columns clear of labels and banner and at the right
/// edge, where a scroll bar would be. Lossy formats compare with `tolerance` in each channel.
inline void expectRows(const QImage &image, int pageHeight, int tolerance = 0)
{
    ASSERT_FALSE(image.isNull());
    ASSERT_GE(image.height(), pageHeight);
    int wrong = 0;
    for (int y = 2; y < pageHeight; y += 5) {
        for (int x : {10, 150, image.width() - 3}) {
            const QRgb pixel = image.pixel(x, y);
            const int expected = y / 5;
            const bool right = std::abs(qRed(pixel) - (expected & 255)) <= tolerance &&
                               std::abs(qGreen(pixel) - (expected >> 8)) <= tolerance &&
                               bandOf(pixel, tolerance) >= 0;
            if (!right && wrong++ < 10)
                ADD_FAILURE() << "row " << y << " column " << x << " shows band "
                              << bandOf(pixel, tolerance) << ", expected " << expected;
        }
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace rows
