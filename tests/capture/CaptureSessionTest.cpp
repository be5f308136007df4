#include "CaptureRig.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
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

TEST(CaptureWalk, OneBandPerContainerHeightAndOneMoreForWhatIsLeftOver)
{
    for (const auto &[screens, bands] : {std::pair{2.0f, 2}, {5.0f, 5}, {2.5f, 3}}) {
        SCOPED_TRACE(screens);
        CaptureRig rig(10);
        rig.measureAs(screens * P);
        rig.host->Command5_Click();

        std::vector<float> expected;
        for (int k = 0; k < bands; ++k)
            expected.push_back(-k * P);
        expected.push_back(0); // the restore
        EXPECT_EQ(rig.view->tops, expected);
        EXPECT_EQ(rig.view->heights, (std::vector<float>{screens * P, P}));
        EXPECT_FLOAT_EQ(rig.view->Top(), 0);
        EXPECT_FLOAT_EQ(rig.view->Height(), P);
        EXPECT_TRUE(rig.host->List2().isEmpty());
    }
}

TEST(CaptureWalk, OneScreenOrLessIsOneGrabWithoutMovingTheView)
{
    for (float height : {P, P - 15}) {
        CaptureRig rig(10);
        rig.measureAs(height);
        EXPECT_EQ(rig.run().bands, 1);
        EXPECT_EQ(rig.view->heights, std::vector<float>{P}); // only the restore
        EXPECT_EQ(rig.view->tops, std::vector<float>{0});
    }
}

TEST(CaptureWalk, EndsWhenTheLastBandRoundsToExactlyOneContainer)
{
    // Heights read back 0.3 twips taller than set: after one move the rest of the page
    // rounds to exactly one container height and neither move applies.
    CaptureRig rig(10);
    rig.view->heightSkew = 0.3f;
    rig.measureAs(2 * P);
    rig.host->Command5_Click();
    EXPECT_EQ(rig.view->tops, (std::vector<float>{0, -P, 0}));
    EXPECT_EQ(rig.host->CaptureCount(), 1);
}

TEST(CaptureWalk, EndsEvenWhenTheViewDoesNotMove)
{
    CaptureRig rig(10);
    rig.view->frozen = true;
    rig.measureAs(5 * P);
    EXPECT_LE(rig.run().bands, 8);
    EXPECT_EQ(rig.host->CaptureCount(), 1);
}

TEST(CaptureWalk, NonWholeTwipsPerPixelStillEndsAndLinesUp)
{
    const TwipsScale scale{1440.0f / 108.0f, 1440.0f / 108.0f}; // 13.33 twips per pixel
    CaptureRig rig(530, scale);
    const QImage image = rig.capture();
    ASSERT_FALSE(image.isNull());
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
    EXPECT_FALSE(completion.isActive());
    EXPECT_EQ(rig.view->heights.front(), 4 * P);
    EXPECT_EQ(rig.host->CaptureCount(), 1);
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
    EXPECT_TRUE(outcome.saved.isEmpty());
    EXPECT_TRUE(QDir(rig.dir.path()).isEmpty());
    EXPECT_EQ(rig.host->CaptureCount(), 0);
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
    EXPECT_EQ(rig.view->prepares, 1);
    EXPECT_EQ(rig.view->finishes, 1);
    EXPECT_GE(rig.view->waits, 3);
}

// The measurement allows a third more than a tall document; the picture still ends where
// the content ends as the walk leaves it, with no band grabbed past it, and keeps what the
// page gained during the walk up to the measured height.
TEST(CaptureOutput, PictureEndsWhereTheContentEnds)
{
    CaptureRig rig(40000);
    rig.view->content = 40000;
    const auto outcome = rig.run([&](int band) {
        if (band == 100)
            rig.view->content = 40200;
    });
    ASSERT_EQ(outcome.saved.size(), 1);
    EXPECT_EQ(outcome.bands, 40200 / CaptureRig::ContainerHeight);
    QImageReader reader(outcome.saved.first());
    reader.setAllocationLimit(0);
    const QImage image = reader.read();
    EXPECT_EQ(image.height(), 40200);
    expectPageRows(image, 40000, 97);

    CaptureRig grown(2000);
    grown.view->content = 900000; // never past the measured height (2,015 pixels)
    EXPECT_EQ(grown.capture().height(), 2015 - 2);
}

TEST(CaptureOutput, ShortPageIsCutAtTheCanvasHeight)
{
    CaptureRig rig(120);
    const QImage image = rig.capture();
    // The page is shorter than the view: the view's own height wins.
    EXPECT_EQ(image.height(), CaptureRig::ContainerHeight - 2);
    expectPageRows(image, 120);
}

TEST(CaptureOutput, PageTallerThanSixteenBitCoordinates)
{
    CaptureRig rig(40000);
    const QImage image = rig.capture();
    // Tall pages get a third more: 40,000 + 13,333 + 15 pixels, less the frame.
    EXPECT_EQ(image.height(), 53346);
    expectPageRows(image, 40000, 3);
    // The banner sits 20 pixels above the real bottom, not at a wrapped position.
    int changed = 0;
    for (int y = 53348 - 33; y < 53348 - 20; ++y)
        for (int x = 19; x < 19 + 261; ++x)
            changed += image.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(changed, 200);
}

TEST(CaptureCounter, ListsAndCounterAcrossCaptures)
{
    CaptureRig rig(10);
    rig.measureAs(3 * P);
    rig.host->Command5_Click();
    EXPECT_EQ(rig.view->heights.front(), 3 * P); // the earlier entry took part
    EXPECT_TRUE(rig.host->List2().isEmpty());
    EXPECT_EQ(rig.host->CaptureCount(), 1);
    EXPECT_EQ(rig.host->Label6(), QStringLiteral("Screens Captured: 1"));

    rig.settings.setSaveType(QStringLiteral(".bmp"));
    rig.host->Command5_Click();
    EXPECT_EQ(rig.host->CaptureCount(), 2);
    EXPECT_EQ(rig.host->Label6(), QStringLiteral("Screens Captured: 2"));
    EXPECT_TRUE(QFile::exists(rig.dir.file(QStringLiteral("000.png"))));
    EXPECT_EQ(QImageReader(rig.dir.file(QStringLiteral("001.bmp"))).format(), QByteArray("bmp"));
}

TEST(CaptureCounter, NeverOverwritesAnEarlierRunsFile)
{
    CaptureRig rig(10);
    QFile earlier(rig.dir.file(QStringLiteral("000.png")));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier capture");
    earlier.close();

    rig.host->Command5_Click();
    EXPECT_TRUE(QFile::exists(rig.dir.file(QStringLiteral("001.png"))));
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), QByteArray("an earlier capture"));
}

TEST(CaptureCounter, AFileThatCannotBeWrittenIsReportedAndNotCounted)
{
    CaptureRig rig(10);
    QFile blocker(rig.dir.file(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    rig.settings.setSaveLocation(blocker.fileName() + QStringLiteral("/shots/"));
    const QString message = rig.run().failed.join(u'\n');
    EXPECT_TRUE(message.contains(blocker.fileName() + QStringLiteral("/shots/000.png")))
        << message.toStdString();
    EXPECT_EQ(rig.host->CaptureCount(), 0);
    EXPECT_EQ(rig.host->Label6(), QStringLiteral("Screenshots Taken: 0"));
    EXPECT_TRUE(rig.host->List2().isEmpty());
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
    EXPECT_EQ(rig.host->CaptureCount(), 1);
    EXPECT_EQ(rig.view->tops.size(), 4u);
}

TEST(CaptureCounter, APageTooLargeForTheMemoryLeftIsRefusedBeforeTheWalk)
{
    CaptureRig rig(10);
    rig.measureAs(50 * P);
    rig.host->setMemoryProbe([] { return std::optional<std::int64_t>(1 << 20); });
    const QString message = rig.run().failed.join(u'\n');
    EXPECT_TRUE(message.contains(QStringLiteral("too large for the memory"))) << message.toStdString();
    EXPECT_TRUE(rig.view->tops.empty()) << "the view was walked";
    EXPECT_EQ(rig.view->finishes, rig.view->prepares) << "the page was left prepared";
    EXPECT_EQ(rig.host->CaptureCount(), 0);
    EXPECT_TRUE(rig.host->List2().isEmpty());
    EXPECT_TRUE(QDir(rig.dir.path()).isEmpty());

    // Enough memory: the same page is taken.
    rig.host->setMemoryProbe([] { return std::optional<std::int64_t>(1LL << 30); });
    rig.host->addHeightCandidateTwips(50 * P);
    rig.host->Command5_Click();
    EXPECT_EQ(rig.host->CaptureCount(), 1);
}
