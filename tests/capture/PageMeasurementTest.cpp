#include "CaptureRig.h"

#include <gtest/gtest.h>

using namespace tessaly;

TEST(PageMeasurement, CandidatesAreNineDigitNumbers)
{
    EXPECT_EQ(CaptureHost::formatCandidate(7725), QStringLiteral("000007725"));
    EXPECT_EQ(CaptureHost::formatCandidate(1234567890), QStringLiteral("1234567890"));
    EXPECT_EQ(CaptureHost::formatCandidate(12.5), QStringLiteral("000000012")); // half to even
}

TEST(PageMeasurement, PageWithoutFramesGivesViewHeightThenDocument)
{
    // The document's height, whether it reads, and the candidate in pixels. The allowance of
    // a third applies once the document's pixels reach the view's twips; an unreadable
    // document gives the view height alone.
    const std::tuple<int, bool, int> cases[] = {{500, true, 500 + 15},
                                                {2999, true, 2999 + 15},
                                                {3000, true, 3000 + 1000 + 15},
                                                {5000, false, 15}};
    for (const auto &[document, readable, candidate] : cases) {
        SCOPED_TRACE(document);
        CaptureRig rig(document);
        rig.view->setDocumentReadable(readable);
        rig.host->GetPageSizes();
        EXPECT_EQ(rig.host->List2(), (QStringList{QStringLiteral("000003000"),
                                                  CaptureHost::formatCandidate(candidate * 15)}));
    }
}

// Pages with advertising frames name dozens of them: every combination of three names
// still gives its candidate, frames inside frames are found by name, and only frames
// that are there are asked for. A frame at least as tall as the document gets the
// allowance of a third of the document, and so does one that is not there.
TEST(PageMeasurement, ManyFrameNamesAreMeasuredWithoutAskingForEveryCombination)
{
    CaptureRig rig(1000);
    for (int i = 0; i < 12; ++i)
        rig.host->addFrameName(QStringLiteral("ad%1").arg(i));
    rig.host->addFrameName(QStringLiteral("outer"));
    rig.host->addFrameName(QStringLiteral("inner"));
    rig.view->setFrame({QStringLiteral("outer")}, 300);
    rig.view->setFrame({QStringLiteral("outer"), QStringLiteral("inner")}, 9000);
    rig.host->GetPageSizes();
    const qsizetype names = rig.host->List1().size();
    EXPECT_EQ(rig.host->List2().size(), 2 + names * names * names * 3);
    EXPECT_EQ(rig.host->List2().at(2), CaptureHost::formatCandidate(333 * 15)); // no frame ad0
    EXPECT_TRUE(rig.host->List2().contains(CaptureHost::formatCandidate(300 * 15)));
    EXPECT_TRUE(rig.host->List2().contains(CaptureHost::formatCandidate((9000 + 333) * 15)));
    // The document, each name, and the names inside the one frame that has frames.
    EXPECT_LE(rig.view->heightReads, 4 + names + names + names);
}
