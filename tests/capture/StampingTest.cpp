#include "CaptureRig.h"

#include <gtest/gtest.h>

using namespace tessaly;

namespace {

DrawingSurface surfaceWith(const Picture &p)
{
    DrawingSurface s;
    s.setScaleMode(ScaleMode::Pixels);
    s.setAutoSize(true);
    s.setPicture(p);
    return s;
}

} // namespace

TEST(Blending, ChannelsAreWeightedAndTruncated)
{
    const std::tuple<Colour, Colour, std::uint8_t, Colour> cases[] = {
        {rgbColour(255, 0, 100), rgbColour(0, 255, 50), 128, rgbColour(127, 126, 74)},
        {rgbColour(255, 255, 255), rgbColour(0, 0, 0), 255, rgbColour(254, 254, 254)},
        {rgbColour(9, 9, 9), rgbColour(200, 100, 0), 0, rgbColour(199, 99, 0)},
        {rgbColour(192, 192, 192), rgbColour(192, 192, 192), 128, rgbColour(191, 191, 191)}};
    for (const auto &[first, second, weight, blended] : cases)
        EXPECT_EQ(TileFinishing::BlendColors(first, second, weight), blended) << int(weight);
}

// Key colour white in the corner, one black stroke; stamped across two edges of the canvas.
TEST(Blending, OnlyNonKeyPixelsInsideTheCanvasAreBlended)
{
    QImage mark(10, 4, QImage::Format_RGB32);
    mark.fill(Qt::white);
    for (int x = 2; x < 8; ++x)
        mark.setPixel(x, 2, qRgb(0, 0, 0));
    const DrawingSurface watermark = surfaceWith(Picture(mark));
    const Colour fill = rgbColour(100, 150, 200);
    QImage page(20, 20, QImage::Format_RGB32);
    page.fill(toQRgb(fill));
    DrawingSurface canvas = surfaceWith(Picture(page));

    TileFinishing::StampWatermark(watermark, canvas, 5, 6);
    TileFinishing::StampWatermark(watermark, canvas, -5, 17); // x -3..2 of the stroke, row 19
    int changed = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (canvas.pixelAt(x, y) != fill) {
                ++changed;
                EXPECT_TRUE(y == 8 || (y == 19 && x < 3)) << x << "," << y;
                EXPECT_EQ(canvas.pixelAt(x, y), TileFinishing::BlendColors(0, fill, 128));
            }
    EXPECT_EQ(changed, 6 + 3);
}

// The watermark centred on the first screen and the banner 20 pixels in from the bottom
// right; switched off, both places show the page's own rows.
TEST(Stamping, WatermarkCentredOnTheFirstScreenAndBannerAtTheBottomRight)
{
    CaptureRig rig(700);
    rig.settings.setWatermarkSwitch(1);
    QImage mark(100, 20, QImage::Format_RGB32);
    mark.fill(Qt::black);
    mark.setPixel(0, 0, qRgb(255, 255, 255)); // the key colour, left unblended
    rig.host->stateForTest().picWatermark1.setPicture(Picture(mark));
    const QImage image = rig.capture();
    rig.settings.setWatermarkSwitch(0);
    rig.host->setBannerStamped(false);
    const QImage plain = rig.capture();

    // x = (300 - 100) / 2, y = (200 - 20) / 2: the browser area's centre, not the page's.
    const auto blended = [](int row) {
        return toQRgb(TileFinishing::BlendColors(0, fakeRowColour(row), 128));
    };
    EXPECT_EQ(image.pixel(101, 90), blended(90));
    EXPECT_EQ(image.pixel(199, 109), blended(109));
    EXPECT_EQ(image.pixel(99, 95), toQRgb(fakeRowColour(95)));
    EXPECT_EQ(image.pixel(150, 110), toQRgb(fakeRowColour(110)));
    EXPECT_EQ(plain.pixel(150, 100), toQRgb(fakeRowColour(100)));

    const int pageHeight = rig.host->Twips().pixelsY(float(rig.host->PageHeight()));
    const QImage banner = rig.host->picWatermarkMain().image().image();
    ASSERT_EQ(banner.size(), QSize(261, 13));
    const int x0 = CaptureRig::ContainerWidth - 261 - 20;
    const int y0 = pageHeight - 13 - 20;
    int checked = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 261; ++x) {
            const Colour b = fromQRgb(banner.pixel(x, y));
            const Colour under = fakeRowColour(y0 + y);
            const Colour expected =
                b == WindowBackground ? under : TileFinishing::BlendColors(b, under, 128);
            ASSERT_EQ(image.pixel(x0 + x, y0 + y), toQRgb(expected)) << x << "," << y;
            ASSERT_EQ(plain.pixel(x0 + x, y0 + y), toQRgb(under)) << "plain: " << x << "," << y;
            checked += b != WindowBackground;
        }
    EXPECT_GT(checked, 200);
}
