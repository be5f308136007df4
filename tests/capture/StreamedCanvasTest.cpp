#include "capture/StreamedCanvas.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace tessaly;

namespace {

constexpr int Width = 6;
constexpr QRgb Background = 0xff101010;

// A band of 100 rows, each naming the band and the row within it.
QImage band(int number)
{
    QImage image(Width - 2, 100, QImage::Format_RGB32); // narrower than the picture
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(number, y, 0));
    return image;
}

// The rows the sink was given, top to bottom; no picture here is taller than 400 rows.
struct Received
{
    QImage rows{Width, 400, QImage::Format_RGB32};
    int height = 0;

    StreamedCanvas::Sink sink()
    {
        return [this](const QImage &block) {
            EXPECT_EQ(block.width(), Width);
            QPainter(&rows).drawImage(0, height, block);
            height += block.height();
            return Result<void>();
        };
    }
};

} // namespace

// Bands of 100 rows at 0, 100, 200 and a last one moved up to end at 330; the page ends at
// 320. Every row is the one the last band over it shows; a row marked by the stamp as it
// passes is marked once; the bottom stamp lands on the last row; no more than a band and the
// reserve is ever held.
TEST(StreamedCanvas, RowsGoOutInOrderWithLaterBandsOverEarlierOnes)
{
    StreamedCanvas canvas;
    Received out;
    int stamped = 0;
    int mostHeld = 0;
    canvas.begin(
        Width, Width - 2, 400, Background, 10,
        [&](QImage &rows, int top) {
            if (top <= 150 && 150 < top + rows.height())
                ++stamped, rows.setPixel(0, 150 - top, qRgb(255, 255, 255));
        },
        out.sink());
    for (const auto &[number, y] :
         std::vector<std::pair<int, int>>{{1, 0}, {2, 100}, {3, 200}, {4, 230}}) {
        ASSERT_TRUE(canvas.paintBand(band(number), y));
        mostHeld = std::max(mostHeld, canvas.paintedRows() - canvas.writtenRows());
    }
    ASSERT_TRUE(canvas.finish(
        320, [](QImage &rows, int top) { rows.setPixel(1, 319 - top, qRgb(254, 254, 254)); }));

    ASSERT_EQ(out.height, 320);
    for (int y = 0; y < 320; ++y) {
        const int number = y < 100 ? 1 : y < 200 ? 2 : y < 230 ? 3 : 4;
        const int within = y - (number == 4 ? 230 : (number - 1) * 100);
        EXPECT_EQ(out.rows.pixel(y == 150 ? 1 : 0, y), qRgb(number, within, 0)) << y;
        EXPECT_EQ(out.rows.pixel(Width - 1, y), Background) << "column past the band, row " << y;
    }
    EXPECT_EQ(out.rows.pixel(0, 150), qRgb(255, 255, 255));
    EXPECT_EQ(out.rows.pixel(1, 319), qRgb(254, 254, 254));
    EXPECT_EQ(stamped, 1);
    EXPECT_LE(mostHeld, 100 + 10) << "the rows waited for the end";
}

// A page measured taller than its bands ends in background; a sink that refuses ends the
// picture: nothing more is handed over, and the refusal comes back at every later step.
TEST(StreamedCanvas, BackgroundBelowTheBandsAndARefusalEndsThePicture)
{
    StreamedCanvas canvas;
    Received out;
    canvas.begin(Width, Width - 2, 400, Background, 0, {}, out.sink());
    ASSERT_TRUE(canvas.paintBand(band(1), 0));
    ASSERT_TRUE(canvas.finish(150, {}));
    ASSERT_EQ(out.height, 150);
    EXPECT_EQ(out.rows.pixel(0, 99), qRgb(1, 99, 0));
    EXPECT_EQ(out.rows.pixel(0, 100), Background);
    EXPECT_EQ(out.rows.pixel(0, 149), Background);

    int calls = 0;
    canvas.begin(Width, Width - 2, 400, Background, 0, {}, [&](const QImage &) {
        ++calls;
        return Result<void>(fail(QStringLiteral("disk full")));
    });
    ASSERT_TRUE(canvas.paintBand(band(1), 0));
    EXPECT_EQ(canvas.paintBand(band(2), 100).error(), QStringLiteral("disk full"));
    EXPECT_TRUE(canvas.failed());
    EXPECT_EQ(canvas.paintBand(band(3), 200).error(), QStringLiteral("disk full"));
    EXPECT_EQ(canvas.finish(300, {}).error(), QStringLiteral("disk full"));
    EXPECT_EQ(calls, 1);
}
