#pragma once

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

/// Checks of the parts of tests/data/real.html and its kin: where in a column a colour no
/// band of the rows page has shows.
namespace parts {

inline constexpr QRgb Header = qRgb(0, 255, 0);   ///< fixed to the top, x 300
inline constexpr QRgb Footer = qRgb(255, 0, 255); ///< fixed to the bottom, x 450
inline constexpr QRgb Sticky = qRgb(0, 0, 255);   ///< stuck to the top from y 1000, x 600
inline constexpr QRgb InBox = qRgb(255, 255, 0);  ///< fixed in a transformed box at y 3000, x 700
inline constexpr QRgb Shrink = qRgb(0, 255, 255); ///< made fixed by the page, x 850

/// `colour` shows in column `x` exactly once, rows [first, first + count).
inline void expectOnce(const QImage &image, int x, QRgb colour, int first, int count)
{
    int shownFirst = -1;
    int shown = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb pixel = image.pixel(x, y);
        if (std::abs(qRed(pixel) - qRed(colour)) + std::abs(qGreen(pixel) - qGreen(colour)) +
                std::abs(qBlue(pixel) - qBlue(colour)) >
            6)
            continue;
        if (shownFirst < 0)
            shownFirst = y;
        ++shown;
    }
    EXPECT_EQ(shownFirst, first) << "column " << x;
    EXPECT_EQ(shown, count) << "column " << x;
}

/// The rows page shows, shifted down by `top`, in every row of [top, top + height) at `columns`.
inline void expectRowsFrom(const QImage &image, int top, int height,
                           std::initializer_list<int> columns)
{
    ASSERT_GE(image.height(), top + height);
    int wrong = 0;
    for (int y = 2; y < height; y += 5) {
        for (const int x : columns) {
            const QRgb pixel = image.pixel(x, top + y);
            const int band = qBlue(pixel) == 160 ? qRed(pixel) + 256 * qGreen(pixel) : -1;
            if (band != y / 5 && wrong++ < 10)
                ADD_FAILURE() << "row " << top + y << " column " << x << " shows band " << band
                              << ", expected " << y / 5;
        }
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace parts
