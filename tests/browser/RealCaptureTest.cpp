#include "CaptureFixture.h"

using namespace tessaly;
using namespace tessaly::test;
using rows::expectRows;

TEST_F(RealCapture, PagesOfOneScreenToPastSixteenBitCoordinatesAreWhole)
{
    const struct
    {
        int page, height, whiteY;
    } cases[] = {
        {300, AreaHeight - 2, 400},
        {1750, 1750 + 15 - 2, -1},
        {40000, 40000 + 13333 + 15 - 2, 45000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.page);
        load(QStringLiteral("/rows.html?h=%1").arg(c.page));
        const QImage image = capture();
        EXPECT_EQ(image.width(), AreaWidth - 2);
        EXPECT_EQ(image.height(), c.height);
        expectRows(image, c.page);
        if (c.whiteY >= 0) {
            EXPECT_EQ(image.pixel(10, c.whiteY), qRgb(255, 255, 255));
        }
        // The view is back as it was.
        EXPECT_EQ(stage.view()->engineView()->geometry(), QRect(0, 0, AreaWidth, AreaHeight));
    }
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

// The view shows the previous page until the new one is drawn: the capture must wait.
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

// Zoomed twice, heights, scroll positions and a frame's tall view are all widget pixels.
TEST_F(RealCapture, ZoomedPagesAreMeasuredAndWalkedInWidgetPixels)
{
    stage.view()->engineView()->setZoomFactor(2);
    const auto expectDoubledRows = [](const QImage &image, int cssHeight) {
        ASSERT_GE(image.height(), 2 * cssHeight);
        int wrong = 0;
        for (int y = 1; y < 2 * cssHeight; y += 3) {
            const int band = rows::bandOf(image.pixel(20, y));
            if (band != y / 10 && wrong++ < 10)
                ADD_FAILURE() << "device row " << y << " shows band " << band << ", expected "
                              << y / 10;
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
    EXPECT_EQ(image.height(), 2 * 3000 + 233 - 2);
    expectDoubledRows(image, 3000);
}
