#include "imagefile/ColourQuantiser.h"

#include "SamplePictures.h"

#include <gtest/gtest.h>

using namespace tessaly;

namespace {

QImage withColours(int count)
{
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int i = (y * image.width() + x) % count;
            image.setPixel(x, y, qRgb(i, 255 - i, (i * 7) & 0xff));
        }
    }
    return image;
}

} // namespace

TEST(ColourQuantiser, KeepsUpTo256ColoursExactly)
{
    for (int count : {1, 2, 200, 256}) {
        const QImage image = withColours(count);
        const QImage indexed = ColourQuantiser().quantise(image);
        EXPECT_EQ(indexed.format(), QImage::Format_Indexed8);
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
