#include "imagefile/ColourQuantiser.h"
#include "imagefile/GifEncoder.h"

#include "../support/TempDir.h"
#include "IndependentDecoder.h"
#include "SamplePictures.h"

#include <QSaveFile>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;

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
    EXPECT_LT(IndependentDecoder::meanChannelError(back, page), 2.5);

    // Part by part: flat areas and text stay sharp, gradient and photo stay smooth.
    const int band = page.height() / 6;
    const auto partError = [&](int top, int bottom) {
        const QRect part(0, top, page.width(), bottom - top);
        return IndependentDecoder::meanChannelError(back.copy(part), page.copy(part));
    };
    EXPECT_LT(partError(0, band), 0.5);                 // header and menu bar
    EXPECT_LT(partError(band, band * 3), 1.0);          // text
    EXPECT_LT(partError(band * 3, band * 4), 2.5);      // gradient
    EXPECT_LT(partError(band * 4, page.height()), 6.0); // photo-like, grain included
}

TEST(GifEncoder, WritesThePaletteImageGiflibReadsBack)
{
    TempDir dir;
    const QImage page = SamplePictures::webPage(200, 300);
    const QString path = dir.file(u"page.gif"_s);
    QSaveFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const Result<void> written = GifEncoder().write(page, file);
    ASSERT_TRUE(written) << written.error().toStdString();
    ASSERT_TRUE(file.commit());

    const QImage expected = ColourQuantiser().quantise(page).convertToFormat(QImage::Format_RGB32);
    const QImage decoded = IndependentDecoder::readGif(path);
    ASSERT_EQ(decoded.size(), page.size());
    EXPECT_TRUE(decoded == expected);
}
