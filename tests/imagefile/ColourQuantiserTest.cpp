#include "imagefile/ColourQuantiser.h"

#include "SamplePictures.h"

#include <gtest/gtest.h>

using namespace tessaly;

TEST(ColourQuantiser, KeepsUpTo256ColoursExactly)
{
    for (int count : {1, 2, 200, 256}) {
        QImage image(64, 64, QImage::Format_RGB32); // every colour many times over
        for (int p = 0; p < 64 * 64; ++p) {
            const int i = p % count;
            image.setPixel(p % 64, p / 64, qRgb(i, 255 - i, (i * 7) & 0xff));
        }
        const QImage indexed = ColourQuantiser().quantise(image);
        EXPECT_EQ(indexed.colorCount(), count);
        EXPECT_TRUE(indexed.convertToFormat(QImage::Format_RGB32) == image) << count;
    }
}

TEST(ColourQuantiser, ReducesAWebPageFaithfully)
{
    const QImage page = SamplePictures::webPage(320, 480);
    const QImage indexed = ColourQuantiser().quantise(page);
    ASSERT_EQ(indexed.size(), page.size());
    EXPECT_LE(indexed.colorCount(), 256);
    const QImage back = indexed.convertToFormat(QImage::Format_RGB32);
    // Part by part: flat areas and text stay sharp, gradient and photo stay smooth.
    const int band = page.height() / 6;
    const auto partError = [&](int top, int bottom) {
        const QRect part(0, top, page.width(), bottom - top);
        return channelError(back.copy(part), page.copy(part)).mean;
    };
    EXPECT_LT(partError(0, band), 0.5);                 // header and menu bar
    EXPECT_LT(partError(band, band * 3), 1.0);          // text
    EXPECT_LT(partError(band * 3, band * 4), 2.5);      // gradient
    EXPECT_LT(partError(band * 4, page.height()), 6.0); // photo-like, grain included
}
