#include "CaptureRig.h"
#include "capture/BuiltInPictures.h"
#include "support/FileHelpers.h"
#include "support/PixelCount.h"
#include "support/ScratchMount.h"

#include <QDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tessaly;

namespace {

constexpr float P = CaptureRig::P;

// The page row each output row must show, checked at a column clear of the banner.
void expectPageRows(const QImage &image, int pageHeight, int step = 1)
{
    ASSERT_FALSE(image.isNull());
    for (int y = 0; y < image.height(); y += step) {
        const QRgb expected = y < pageHeight ? toQRgb(fakeRowColour(y)) : qRgb(255, 255, 255);
        ASSERT_EQ(image.pixel(5, y), expected) << "output row " << y;
    }
}

} // namespace

// One screen or less is one grab without moving the view. Heights that read back 0.3 twips
// taller than set end the walk too: after one move the rest of the page rounds to exactly
// one container height and neither move applies.
TEST(CaptureWalk, OneBandPerContainerHeightAndOneMoreForWhatIsLeftOver)
{
    const std::tuple<float, int, float> cases[] = {{2 * P, 2, 0}, {2 * P, 2, 0.3f},
                                                   {5 * P, 5, 0}, {2.5f * P, 3, 0},
                                                   {P, 1, 0},     {P - 15, 1, 0}};
    for (const auto &[height, bands, skew] : cases) {
        SCOPED_TRACE(testing::Message() << height << " skewed by " << skew);
        CaptureRig rig(10);
        rig.view->heightSkew = skew;
        rig.measureAs(height);
        EXPECT_EQ(rig.run().bands, bands);

        std::vector<float> expected;
        for (int k = 0; k < bands && bands > 1; ++k)
            expected.push_back(-k * P);
        expected.push_back(0); // the restore
        EXPECT_EQ(rig.view->tops, expected);
        EXPECT_EQ(rig.view->heights,
                  bands > 1 ? (std::vector<float>{height, P}) : std::vector<float>{P});
        EXPECT_TRUE(rig.host->List2().isEmpty());
    }
}

TEST(CaptureWalk, EndsWhenTheViewDoesNotMove)
{
    CaptureRig frozen(10);
    frozen.view->frozen = true;
    frozen.measureAs(5 * P);
    EXPECT_LE(frozen.run().bands, 8);
    EXPECT_EQ(frozen.host->CaptureCount(), 1);
}

TEST(CaptureWalk, NonWholeTwipsPerPixelStillEndsAndLinesUp)
{
    const TwipsScale scale{1440.0f / 108.0f, 1440.0f / 108.0f}; // 13.33 twips per pixel
    CaptureRig rig(530, scale);
    const QImage image = rig.capture();
    // Positions are rounded to whole pixels on the way: allow one row of slack.
    for (int y = 2; y < 528; y += 7) {
        const QRgb got = image.pixel(5, y);
        EXPECT_TRUE(got == toQRgb(fakeRowColour(y)) || got == toQRgb(fakeRowColour(y - 1)) ||
                    got == toQRgb(fakeRowColour(y + 1)))
            << "row " << y;
    }
}

TEST(CaptureWalk, HeightsListedWhileTheListIsReadTakePart)
{
    // The document-complete handler appends at a yield of the reading.
    CaptureRig rig(10);
    rig.measureAs(2 * P);
    QTimer completion;
    QObject::connect(&completion, &QTimer::timeout, &completion, [&] {
        if (rig.host->PageHeight() > 0) {
            completion.stop();
            rig.host->addHeightCandidateTwips(4 * P);
        }
    });
    completion.start(0);
    rig.host->Command5_Click();
    EXPECT_EQ(rig.view->heights.front(), 4 * P);
}

TEST(CaptureOutput, ABandThatCannotBeGrabbedEndsTheCaptureWithoutAFile)
{
    CaptureRig rig(10);
    rig.measureAs(4 * P);
    const CaptureRig::Outcome outcome = rig.run([&](int band) {
        if (band == 2)
            rig.view->unreadable = true;
    });
    EXPECT_EQ(outcome.bands, 3);
    EXPECT_EQ(outcome.failed, QStringList{QStringLiteral("The screenshot was not taken: a part "
                                                         "of the page could not be grabbed.")});
    EXPECT_TRUE(QDir(rig.dir.path()).isEmpty());
    EXPECT_FLOAT_EQ(rig.view->Height(), P); // the view is back
}

TEST(CaptureOutput, EveryRowOfAPageTwoAndAHalfScreensTall)
{
    CaptureRig rig(500);
    const QImage image = rig.capture();
    // 515 pixels of page height (15 more than the document) less the canvas frame.
    EXPECT_EQ(image.width(), CaptureRig::ContainerWidth - 2);
    EXPECT_EQ(image.height(), 513);
    expectPageRows(image, 500);
    EXPECT_GE(rig.view->waits, 3);
}

// The measurement allows a third more than a tall document; the picture still ends where
// the content ends as the walk leaves it, with no band grabbed past it, and keeps what the
// page gained during the walk up to the measured height. Past 16-bit coordinates too: the
// rows line up and the banner sits 20 pixels above the real bottom, not at a wrapped place.
TEST(CaptureOutput, PictureEndsWhereTheContentEnds)
{
    CaptureRig rig(40000);
    rig.view->content = 40000;
    const auto grow = [&](int band) {
        if (band == 100)
            rig.view->content = 40200;
    };
    int bands = 0;
    const QImage image = test::savedCapture(*rig.host, [&] { bands = rig.run(grow).bands; });
    EXPECT_EQ(bands, 40200 / CaptureRig::ContainerHeight);
    ASSERT_EQ(image.height(), 40200);
    expectPageRows(image, 40000, 97);
    // The banner's rows; the frame's two pixels are off the picture.
    const QRect banner(19, 40202 - 33, 261, 13);
    EXPECT_GT(countPixels(image, banner, [](QRgb p) { return p != qRgb(255, 255, 255); }), 200);

    CaptureRig grown(2000);
    grown.view->content = 900000; // never past the measured height (2,015 pixels)
    EXPECT_EQ(grown.capture().height(), 2015 - 2);
}

// The next capture goes into the folder and type the settings name now, its name kept as
// given, past a number an earlier run's file holds.
TEST(CaptureCounter, TheNextCaptureGoesWhereTheSettingsNameNowPastEarlierFiles)
{
    CaptureRig rig(10);
    ASSERT_EQ(rig.run().saved, QStringList{rig.dir.file(QStringLiteral("000.png"))});
    const QString other = rig.dir.file(QStringLiteral("Mes captures d’écran/Снимки 写真"));
    ASSERT_TRUE(QDir().mkpath(other));
    writeFile(other + QStringLiteral("/001.bmp"), "an earlier capture");
    rig.settings.setSaveLocation(other + QStringLiteral("/"));
    rig.settings.setSaveType(QStringLiteral(".bmp"));
    EXPECT_EQ(rig.run().saved, QStringList{other + QStringLiteral("/002.bmp")});
    EXPECT_EQ(rig.host->CaptureCount(), 2);
    EXPECT_EQ(rig.host->Label6(), QStringLiteral("Screens Captured: 2"));
}

TEST(CaptureCounter, ASecondPressDuringASessionIsIgnored)
{
    CaptureRig rig(10);
    rig.measureAs(3 * P);
    int presses = 0;
    QObject::connect(rig.host.get(), &CaptureHost::bandCaptured, rig.host.get(), [&](int, int) {
        if (presses++ == 0)
            rig.host->Command5_Click(); // as a click processed at a yield would
    });
    rig.host->Command5_Click();
    EXPECT_EQ(rig.view->tops.size(), 4u);
}

TEST(CaptureCounter, AFileThatCannotBeStartedIsRefusedBeforeTheWalk)
{
    CaptureRig rig(10);
    rig.measureAs(50 * P);
    const QString missing = rig.dir.file(QStringLiteral("gone/001.png"));
    rig.host->setFileNameSource([&] { return missing; });
    // The file it meant to write and the system's reason.
    const QString message = rig.run().failed.join(u'\n');
    EXPECT_TRUE(
        message.startsWith(QStringLiteral("The screenshot could not be saved to ") + missing) &&
        message.contains(QStringLiteral("No such file or directory")))
        << message.toStdString();
    EXPECT_TRUE(rig.view->tops.empty()) << "the view was walked";
    EXPECT_EQ(rig.view->finishes, rig.view->prepares) << "the page was left prepared";
    EXPECT_TRUE(rig.host->List2().isEmpty());
    EXPECT_TRUE(QDir(rig.dir.path()).isEmpty()) << "the folder was made again";
}

// The disk fills up while the page is walked: the walk stops there instead of grabbing the
// rest of the page, the capture names the file and the system's reason, and neither a file
// nor a half-written one is left.
TEST(CaptureCounter, ADiskThatFillsDuringTheWalkStopsItAndLeavesNothing)
{
    const ScratchMount disk(256 * 1024);
    if (!disk.usable())
        GTEST_SKIP() << disk.skipReason().toStdString();
    CaptureRig rig(40000);
    rig.settings.setSaveLocation(disk.path() + QStringLiteral("/"));
    rig.settings.setSaveType(QStringLiteral(".bmp")); // 180 kB a band
    const auto outcome = rig.run();
    ASSERT_EQ(outcome.failed.size(), 1);
    EXPECT_TRUE(outcome.failed.first().contains(QStringLiteral("No space left on device")))
        << outcome.failed.first().toStdString();
    EXPECT_LT(outcome.bands, 10);
    EXPECT_TRUE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(rig.host->CaptureCount(), 0);
}

// A watermark that does not load leaves the one before it; which files load is the picture
// reader's to decide.
TEST(CaptureWatermark, AFileThatDoesNotLoadLeavesTheGreyDefault)
{
    CaptureRig rig(10);
    const QString junk = rig.dir.file(QStringLiteral("junk.bmp"));
    writeFile(junk, "BM this is no bitmap at all");
    const Result<void> loaded = rig.host->loadWatermark(junk);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(rig.host->picWatermark1().picture().image(),
              BuiltInPictures::defaultWatermark().image());
}
