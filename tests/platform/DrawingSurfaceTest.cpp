#include "drawing/DrawingSurface.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace tessaly;

namespace {

Picture solid(int w, int h, Colour c)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(toQRgb(c));
    return Picture(image);
}

// Pixel coordinates, and an outer size of w x h pixels at 15 twips a pixel.
void inPixels(DrawingSurface &s, int w, int h)
{
    s.setScaleMode(ScaleMode::Pixels);
    s.setWidth(w * 15.0f);
    s.setHeight(h * 15.0f);
}

} // namespace

TEST(Colours, PackRedGreenBlueAsTheyAreStored)
{
    EXPECT_EQ(rgbColour(1, 2, 3), 1 + 2 * 256 + 3 * 65536);
    const Colour c = rgbColour(10, 20, 30);
    EXPECT_EQ(std::tuple(redOf(c), greenOf(c), blueOf(c)), std::tuple(10, 20, 30));
}

TEST(DrawingSurfaceGeometry, FrameTakesOnePixelEachSide)
{
    // Framed or not, outer size in twips, pixel units or the default twips: the drawable
    // size in pixels and the scale width that follow.
    const std::tuple<bool, QSizeF, bool, QSize, double> cases[] = {
        {true, {7530, 3900}, true, {500, 258}, 500},
        {false, {7530, 3900}, false, {502, 260}, 7530},
        {true, {15, 15}, true, {0, 0}, 0}};
    for (const auto &[framed, outer, pixels, drawable, scaleWidth] : cases) {
        SCOPED_TRACE(framed);
        DrawingSurface s({15, 15}, framed);
        if (pixels)
            s.setScaleMode(ScaleMode::Pixels);
        s.setWidth(float(outer.width()));
        s.setHeight(float(outer.height()));
        EXPECT_EQ(QSize(s.drawableWidth(), s.drawableHeight()), drawable);
        EXPECT_EQ(s.image().image().size(), drawable);
        EXPECT_DOUBLE_EQ(s.scaleWidth(), scaleWidth);
    }
}

TEST(DrawingSurfaceGeometry, AutoSizeFitsThePictureInsideTheFrame)
{
    DrawingSurface s({12, 12}, true);
    s.setAutoSize(true);
    s.setPicture(solid(261, 13, rgbColour(9, 9, 9)));
    EXPECT_EQ(QSize(s.drawableWidth(), s.drawableHeight()), QSize(261, 13));
    EXPECT_FLOAT_EQ(s.width(), 263 * 12);
    EXPECT_EQ(s.pixelAt(260, 12), rgbColour(9, 9, 9));
}

TEST(DrawingSurfacePixels, ReadsOutsideGiveNoColourAndWritesOutsideDoNothing)
{
    const Colour back = rgbColour(1, 2, 3);
    DrawingSurface s({15, 15}, true, back);
    inPixels(s, 12, 7); // 10 x 5 inside the frame
    const std::tuple<int, int, Colour> points[] = {
        {0, 0, back}, {9, 4, back}, {10, 0, NoColour}, {0, 5, NoColour}, {-1, 0, NoColour}};
    for (const auto &[x, y, colour] : points)
        EXPECT_EQ(s.pixelAt(x, y), colour) << x << "," << y;

    for (const int x : {-1, 10, 3})
        s.setPixelAt(x, 2, rgbColour(200, 0, 0));
    QImage expected(10, 5, QImage::Format_RGB32);
    expected.fill(qRgb(1, 2, 3));
    expected.setPixel(3, 2, qRgb(200, 0, 0));
    EXPECT_EQ(s.image().image(), expected);
}

// Resizing keeps what was drawn at the top-left; clearing resets to the background colour
// and the background picture.
TEST(DrawingSurfacePaint, ResizingKeepsTheDrawingAndClearingResetsIt)
{
    const Colour blue = rgbColour(0, 0, 255);
    DrawingSurface s({15, 15}, false, blue);
    inPixels(s, 10, 10);
    s.setPixelAt(2, 2, rgbColour(3, 4, 5));
    s.setHeight(1500);
    EXPECT_EQ(s.pixelAt(2, 2), rgbColour(3, 4, 5));
    EXPECT_EQ(s.pixelAt(2, 50), blue);
    s.setHeight(30);
    EXPECT_EQ(s.pixelAt(2, 2), NoColour);

    s.setPicture(solid(2, 2, rgbColour(7, 7, 7)));
    s.setHeight(150);
    s.setPixelAt(5, 5, rgbColour(1, 1, 1));
    s.clear();
    EXPECT_EQ(s.pixelAt(1, 1), rgbColour(7, 7, 7));
    EXPECT_EQ(s.pixelAt(5, 5), blue);
}

// A picture taken from a surface and given to another: later drawing on either shows
// nowhere else.
TEST(DrawingSurfacePaint, PicturesPassedBetweenSurfacesStayIndependent)
{
    const Colour grey = rgbColour(6, 6, 6);
    DrawingSurface canvas({15, 15}, false);
    inPixels(canvas, 40, 30);
    canvas.setPicture(solid(40, 30, grey));
    const Picture taken = canvas.image();

    DrawingSurface page({15, 15}, false);
    inPixels(page, 40, 30);
    page.setPicture(canvas.image());
    page.setPixelAt(5, 6, rgbColour(9, 9, 9));
    canvas.setPixelAt(7, 8, rgbColour(8, 8, 8));

    EXPECT_EQ(page.pixelAt(7, 8), grey);
    EXPECT_EQ(page.pixelAt(39, 29), grey);
    EXPECT_EQ(taken.image(), solid(40, 30, grey).image());
}
