// The hooks a capture from the command line sets: cancelling a running capture and an output
// step before the file. Unset, a capture is what it always was.
#include "CaptureRig.h"
#include "support/FileHelpers.h"

#include <gtest/gtest.h>

using namespace tessaly;

constexpr float P = CaptureRig::P;

// Cancelled before the first band, then at the second: no band is grabbed after the cancel,
// nothing is written and the view is put back; the next capture runs whole.
TEST(CaptureCancel, StopsTheWalkWritesNothingAndPutsTheViewBack)
{
    CaptureRig rig(10);
    rig.host->cancelCapture(QStringLiteral("too early")); // no capture runs: ignored
    rig.measureAs(2 * P);
    // The first yield of the session runs queued calls: cancel from there, before any band.
    QMetaObject::invokeMethod(
        rig.host.get(), [&] { rig.host->cancelCapture(QStringLiteral("at once")); },
        Qt::QueuedConnection);
    const CaptureRig::Outcome early = rig.run();
    EXPECT_EQ(early.bands, 0);
    EXPECT_EQ(early.failed, QStringList{QStringLiteral("at once")});
    EXPECT_EQ(rig.view->prepares, 1);
    EXPECT_EQ(rig.view->finishes, 1);

    rig.measureAs(6 * P);
    const CaptureRig::Outcome outcome = rig.run([&](int band) {
        if (band == 2)
            rig.host->cancelCapture(QStringLiteral("out of time"));
    });
    EXPECT_EQ(outcome.bands, 2);
    EXPECT_EQ(rig.view->interrupts, 2) << "the view's waits end at each cancel";
    EXPECT_EQ(outcome.failed, QStringList{QStringLiteral("out of time")});
    EXPECT_TRUE(entriesOf(rig.dir.path()).isEmpty());
    EXPECT_EQ(rig.host->CaptureCount(), 0) << "a capture that wrote nothing counted";
    EXPECT_FLOAT_EQ(rig.view->Top(), 0);
    EXPECT_FLOAT_EQ(rig.view->Height(), P);

    rig.host->addHeightCandidateTwips(3 * P);
    EXPECT_EQ(rig.run().bands, 3);
    EXPECT_EQ(entriesOf(rig.dir.path()).size(), 1);
}

TEST(CaptureOutputStep, GetsTheStampedPageAndWritesWhatItReturnsOrFailsWithItsRefusal)
{
    CaptureRig rig(500);
    QSize handed;
    rig.host->setOutputStep([&](const Picture &finished) -> Result<Picture> {
        handed = finished.image().size();
        return Picture(finished.image().copy(0, 100, 50, 300));
    });
    const QImage written = rig.capture();
    EXPECT_EQ(handed, QSize(CaptureRig::ContainerWidth - 2, 513));
    ASSERT_EQ(written.size(), QSize(50, 300));
    for (int y = 0; y < 300; y += 7)
        ASSERT_EQ(written.pixel(3, y), toQRgb(fakeRowColour(100 + y))) << "row " << y;

    SCOPED_TRACE("a refusal");
    rig.host->setOutputStep(
        [](const Picture &) -> Result<Picture> { return fail(QStringLiteral("no such element")); });
    const CaptureRig::Outcome refused = rig.run();
    EXPECT_EQ(refused.failed, QStringList{QStringLiteral("no such element")});
    EXPECT_EQ(entriesOf(rig.dir.path()).size(), 1);
}
