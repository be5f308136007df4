#include "CaptureFixture.h"

using namespace tessaly;
using namespace tessaly::test;
using rows::expectRows;

TEST_F(RealCapture, ShortPageIsOneScreen)
{
    load(QStringLiteral("/rows.html?h=300"));
    const QImage image = capture();
    EXPECT_EQ(image.width(), AreaWidth - 2);
    EXPECT_EQ(image.height(), AreaHeight - 2);
    expectRows(image, 300);
    EXPECT_EQ(image.pixel(10, 400), qRgb(255, 255, 255));
}

TEST_F(RealCapture, PageOfTwoAndAHalfScreens)
{
    load(QStringLiteral("/rows.html?h=1750"));
    const QImage image = capture();
    EXPECT_EQ(image.height(), 1750 + 15 - 2);
    expectRows(image, 1750);
    // The view is back as it was.
    EXPECT_EQ(stage.view()->engineView()->geometry(), QRect(0, 0, AreaWidth, AreaHeight));
}

TEST_F(RealCapture, PageTallerThanSixteenBitCoordinates)
{
    load(QStringLiteral("/rows.html?h=40000"));
    const QImage image = capture();
    EXPECT_EQ(image.height(), 40000 + 13333 + 15 - 2);
    expectRows(image, 40000);
    EXPECT_EQ(image.pixel(10, 45000), qRgb(255, 255, 255));
}

TEST_F(RealCapture, FrameTallerThanTheTopDocument)
{
    load(QStringLiteral("/frame-top.html"));
    host->List1 = QStringList{QStringLiteral("tall")};
    const QImage image = capture();
    // The frame (3,000) plus a third of the top document (700), less the canvas frame.
    EXPECT_EQ(image.height(), 3000 + 233 - 2);
    expectRows(image, 3000);
}

TEST_F(RealCapture, TwoCapturesInARowAreBothWhole)
{
    load(QStringLiteral("/rows.html?h=2600"));
    expectRows(capture(), 2600);
    expectRows(capture(), 2600);
    EXPECT_EQ(host->CaptureCount, 2);
}

// After a navigation the view goes on showing the previous page until the new one has been
// drawn; a capture started at once must wait for the new page, even of the same size.
TEST_F(RealCapture, CaptureRightAfterANavigationShowsTheNewPage)
{
    server.addPage(QStringLiteral("/red.html"),
                   "<!doctype html><html><body style=\"margin:0\">"
                   "<div style=\"height:2600px;background:#f00\"></div></body></html>");
    server.addPage(QStringLiteral("/static.html"), rows::staticPage(2600));
    load(QStringLiteral("/red.html"));
    load(QStringLiteral("/static.html"));
    expectRows(capture(), 2600);
}

// A page zoomed twice in a view twice the size is laid out as in the unzoomed view and
// drawn with two device pixels per CSS pixel: heights read from it, scroll positions and
// the tall view of a page whose height lies in a frame must all be in widget pixels.
TEST_F(RealCapture, ZoomedPagesAreMeasuredAndWalkedInWidgetPixels)
{
    stage.view()->engineView()->setZoomFactor(2);
    const auto expectDoubledRows = [](const QImage &image, int cssHeight) {
        ASSERT_GE(image.height(), 2 * cssHeight);
        int wrong = 0;
        for (int y = 1; y < 2 * cssHeight; y += 3) {
            const int band = rows::bandOf(image.pixel(20, y));
            if (band != y / 10 && wrong++ < 10)
                ADD_FAILURE() << "device row " << y << " shows band " << band << ", expected " << y / 10;
        }
        EXPECT_EQ(wrong, 0);
    };

    load(QStringLiteral("/rows.html?h=1750"));
    QImage image = capture();
    EXPECT_EQ(image.width(), AreaWidth - 2);
    EXPECT_EQ(image.height(), 2 * 1750 + 15 - 2);
    expectDoubledRows(image, 1750);

    load(QStringLiteral("/frame-top.html"));
    host->List1 = QStringList{QStringLiteral("tall")};
    image = capture();
    // The frame (3,000 CSS pixels) plus a third of the top document (700 pixels).
    EXPECT_EQ(image.height(), 2 * 3000 + 233 - 2);
    expectDoubledRows(image, 3000);
}
