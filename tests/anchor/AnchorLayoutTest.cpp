#include "AnchorRig.h"

#include <QDialog>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

using tessaly::Anchor;

TEST(AnchorLayout, EachFlagSetFollowsItsEdgesWhenTheWindowGrowsAndShrinks)
{
    AnchorRig rig;
    QWidget *moveRight = rig.control(QStringLiteral("FTTF*/"), {300, 10, 50, 20});
    QWidget *stretchX = rig.control(QStringLiteral("TTTF*/"), {10, 10, 100, 20});
    QWidget *stretchXY = rig.control(QStringLiteral("TTTT*/"), {10, 40, 200, 200});
    QWidget *statusBar = rig.control(QStringLiteral("TFTT*/"), {0, 280, 400, 20});
    QWidget *corner = rig.control(QStringLiteral("FFTT*/"), {350, 280, 50, 20});
    QWidget *moveDown = rig.control(QStringLiteral("TFFT*/"), {10, 250, 30, 20});
    QWidget *rightAndTall = rig.control(QStringLiteral("FTTT*/"), {360, 40, 30, 200});
    QWidget *stay = rig.control(QStringLiteral("TTFF*/Info"), {220, 40, 30, 20});
    QWidget *stayToo = rig.control(QStringLiteral("FFFF*/"), {220, 70, 30, 20});
    QWidget *plain = rig.control(QStringLiteral("Info"), {220, 100, 30, 20});
    rig.anchor->DoInit();
    rig.show();

    EXPECT_EQ(tagText(moveRight), QString());
    EXPECT_EQ(tagText(stay), QStringLiteral("Info"));
    EXPECT_EQ(tagText(plain), QStringLiteral("Info"));

    // 600 twips wider, 300 twips taller: 40 and 20 pixels.
    rig.growTwips(600, 300);
    ASSERT_EQ(rig.host->size(), QSize(440, 320));
    EXPECT_EQ(moveRight->geometry(), QRect(340, 10, 50, 20));
    EXPECT_EQ(stretchX->geometry(), QRect(10, 10, 140, 20));
    EXPECT_EQ(stretchXY->geometry(), QRect(10, 40, 240, 220));
    EXPECT_EQ(statusBar->geometry(), QRect(0, 300, 440, 20));
    EXPECT_EQ(corner->geometry(), QRect(390, 300, 50, 20));
    EXPECT_EQ(moveDown->geometry(), QRect(10, 270, 30, 20));
    EXPECT_EQ(rightAndTall->geometry(), QRect(400, 40, 30, 220));
    EXPECT_EQ(stay->geometry(), QRect(220, 40, 30, 20));
    EXPECT_EQ(stayToo->geometry(), QRect(220, 70, 30, 20));
    EXPECT_EQ(plain->geometry(), QRect(220, 100, 30, 20));

    // Below the starting size (no minimum was given): everything follows the other way.
    rig.resizeTwips(5700, 4200);
    ASSERT_EQ(rig.host->size(), QSize(380, 280));
    EXPECT_EQ(moveRight->geometry(), QRect(280, 10, 50, 20));
    EXPECT_EQ(stretchX->geometry(), QRect(10, 10, 80, 20));
    EXPECT_EQ(stretchXY->geometry(), QRect(10, 40, 180, 180));
    EXPECT_EQ(statusBar->geometry(), QRect(0, 260, 380, 20));
    EXPECT_EQ(corner->geometry(), QRect(330, 260, 50, 20));
    EXPECT_EQ(moveDown->geometry(), QRect(10, 230, 30, 20));
    EXPECT_EQ(stay->geometry(), QRect(220, 40, 30, 20));
    EXPECT_EQ(plain->geometry(), QRect(220, 100, 30, 20));
    EXPECT_EQ(tagText(stay), QStringLiteral("Info"));
}

TEST(AnchorLayout, TheWindowNeverGetsSmallerThanTheSizeGivenToDoInit)
{
    AnchorRig rig;
    QWidget *moveRight = rig.control(QStringLiteral("FTTF*/"), {300, 10, 50, 20});
    QWidget *stretch = rig.control(QStringLiteral("TTTT*/"), {10, 40, 200, 200});
    rig.anchor->DontRefresh = true;
    rig.anchor->DoInit(rig.anchor->windowHeight(), rig.anchor->windowWidth());
    rig.show();
    EXPECT_EQ(rig.anchor->MinHeight, 4500);
    EXPECT_EQ(rig.anchor->MinWidth, 6000);
    QSignalSpy after(rig.anchor, &Anchor::AfterResize);

    // Only the clamp acts: nothing moves and the layout reports no change.
    rig.resizeTwips(3000, 3000);
    EXPECT_EQ(rig.host->size(), QSize(400, 300));
    EXPECT_EQ(moveRight->geometry(), QRect(300, 10, 50, 20));
    ASSERT_EQ(after.count(), 1);
    EXPECT_EQ(after.last().at(0).toInt(), 0);
    EXPECT_EQ(after.last().at(1).toInt(), 0);

    rig.growTwips(600, 600);
    EXPECT_EQ(moveRight->geometry(), QRect(340, 10, 50, 20));
    EXPECT_EQ(after.last().at(0).toInt(), 600);
    EXPECT_EQ(after.last().at(1).toInt(), 600);

    // Shrinking far below the minimum moves controls only by what remains of the change.
    rig.resizeTwips(1500, 7500);
    EXPECT_EQ(rig.host->size(), QSize(400, 500));
    EXPECT_EQ(moveRight->geometry(), QRect(300, 10, 50, 20));
    EXPECT_EQ(stretch->geometry(), QRect(10, 40, 200, 400));
    EXPECT_EQ(after.last().at(0).toInt(), 2400);
    EXPECT_EQ(after.last().at(1).toInt(), -600);
}

TEST(AnchorLayout, ControlsInsideContainersFollowTheirOwnContainer)
{
    AnchorRig rig;
    QWidget *stretchingFrame = rig.control(QStringLiteral("TTTF*/"), {10, 10, 380, 100});
    QWidget *goButton =
        AnchorRig::control(stretchingFrame, QStringLiteral("FTTF*/"), {300, 10, 50, 20});
    QWidget *addressBox =
        AnchorRig::control(stretchingFrame, QStringLiteral("TTTF*/"), {10, 40, 280, 20});
    QWidget *movingFrame = rig.control(QStringLiteral("FTTF*/"), {300, 150, 90, 100});
    QWidget *inMovingFrame =
        AnchorRig::control(movingFrame, QStringLiteral("FTTF*/"), {40, 10, 40, 20});
    QWidget *outer = rig.control(QStringLiteral("TTTT*/"), {10, 150, 280, 140});
    QWidget *inner = AnchorRig::control(outer, QStringLiteral("TTTT*/"), {10, 10, 260, 120});
    QWidget *deepest = AnchorRig::control(inner, QStringLiteral("FFTT*/"), {200, 90, 50, 20});
    rig.anchor->DoInit();
    rig.show();

    rig.growTwips(600, 300);
    EXPECT_EQ(stretchingFrame->geometry(), QRect(10, 10, 420, 100));
    EXPECT_EQ(goButton->geometry(), QRect(340, 10, 50, 20));
    EXPECT_EQ(addressBox->geometry(), QRect(10, 40, 320, 20));
    // The frame moved without changing size, so what it holds stays put inside it.
    EXPECT_EQ(movingFrame->geometry(), QRect(340, 150, 90, 100));
    EXPECT_EQ(inMovingFrame->geometry(), QRect(40, 10, 40, 20));
    EXPECT_EQ(outer->geometry(), QRect(10, 150, 320, 160));
    EXPECT_EQ(inner->geometry(), QRect(10, 10, 300, 140));
    EXPECT_EQ(deepest->geometry(), QRect(240, 110, 50, 20));

    rig.resizeTwips(6000, 4500);
    EXPECT_EQ(goButton->geometry(), QRect(300, 10, 50, 20));
    EXPECT_EQ(inMovingFrame->geometry(), QRect(40, 10, 40, 20));
    EXPECT_EQ(deepest->geometry(), QRect(200, 90, 50, 20));
}

TEST(AnchorLayout, MinimisingAndRestoringLeavesEveryControlWhereItWas)
{
    AnchorRig rig;
    QWidget *moveRight = rig.control(QStringLiteral("FTTF*/"), {300, 10, 50, 20});
    rig.anchor->DoInit();
    rig.show();
    rig.host->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(rig.host->isMinimized());
    rig.resizeTwips(2400, 600); // what a minimised window may report
    EXPECT_EQ(moveRight->geometry(), QRect(300, 10, 50, 20));
    rig.host->setWindowState(Qt::WindowNoState);
    rig.resizeTwips(6000, 4500);
    EXPECT_EQ(moveRight->geometry(), QRect(300, 10, 50, 20));
    rig.growTwips(150, 0);
    EXPECT_EQ(moveRight->geometry(), QRect(310, 10, 50, 20));
}

TEST(AnchorLayout, BeforeDoInitTheFirstLayoutOnlySettlesTheMinimumSize)
{
    AnchorRig rig;
    QWidget *moveRight = rig.control(QStringLiteral("FTTF*/"), {300, 10, 50, 20});
    QSignalSpy before(rig.anchor, &Anchor::BeforeResize);
    rig.anchor->DoResize();
    EXPECT_EQ(rig.anchor->MinHeight, 4500);
    EXPECT_EQ(rig.anchor->MinWidth, 6000);
    EXPECT_EQ(before.count(), 0);

    // Later layouts raise their events but know no anchors.
    rig.show();
    rig.growTwips(600, 0);
    EXPECT_GE(before.count(), 1);
    EXPECT_EQ(moveRight->geometry(), QRect(300, 10, 50, 20));
    EXPECT_EQ(tagText(moveRight), QStringLiteral("FTTF*/"));
}

TEST(AnchorLayout, AMinimumSetBeforeTheFirstLayoutSizesTheWindow)
{
    AnchorRig rig;
    rig.anchor->MinHeight = 3000;
    rig.anchor->MinWidth = 4500;
    rig.anchor->DoResize();
    EXPECT_EQ(rig.host->size(), QSize(300, 200));

    AnchorRig heightOnly;
    heightOnly.anchor->MinHeight = 3000;
    heightOnly.anchor->DoResize();
    EXPECT_EQ(heightOnly.host->size(), QSize(400, 200)); // no minimum width: width kept
}

TEST(AnchorLayout, DontRefreshDecidesWhetherTheLayoutHoldsPainting)
{
    AnchorRig rig;
    rig.control(QStringLiteral("FTTF*/"), {300, 10, 50, 20});
    rig.anchor->DoInit();
    rig.show();
    std::vector<bool> paintingDuringLayout;
    QObject::connect(rig.anchor, &Anchor::BeforeResize, rig.host.get(),
                     [&] { paintingDuringLayout.push_back(rig.host->updatesEnabled()); });

    rig.growTwips(150, 0);
    rig.anchor->DontRefresh = true;
    rig.growTwips(150, 0);
    ASSERT_EQ(paintingDuringLayout.size(), 2u);
    EXPECT_FALSE(paintingDuringLayout[0]);
    EXPECT_TRUE(paintingDuringLayout[1]);
    EXPECT_TRUE(rig.host->updatesEnabled());

    // A window its host froze stays frozen after a layout.
    rig.anchor->DontRefresh = false;
    Anchor::Freeze(rig.host.get());
    rig.growTwips(150, 0);
    EXPECT_FALSE(rig.host->updatesEnabled());
    Anchor::UnFreeze(rig.host.get(), true);
    EXPECT_TRUE(rig.host->updatesEnabled());
}

TEST(AnchorTags, OnlyALeadingPrefixOfFourFlagsIsAnAnchor)
{
    AnchorRig rig;
    QWidget *comment = rig.control(QStringLiteral("see */ here"), {300, 10, 50, 20});
    QWidget *lowerCase = rig.control(QStringLiteral("fttf*/x"), {300, 40, 50, 20});
    QWidget *tooShort = rig.control(QStringLiteral("*/"), {300, 70, 50, 20});
    QWidget *untagged = rig.control(QString(), {300, 100, 50, 20});
    rig.anchor->DoInit();
    rig.show();
    EXPECT_EQ(tagText(comment), QStringLiteral("see */ here"));
    EXPECT_EQ(tagText(lowerCase), QStringLiteral("fttf*/x"));
    EXPECT_EQ(tagText(tooShort), QStringLiteral("*/"));
    EXPECT_FALSE(untagged->property("Tag").isValid());
    rig.growTwips(600, 0);
    EXPECT_EQ(comment->x(), 300);
    EXPECT_EQ(lowerCase->x(), 300);
}

TEST(AnchorTags, ObjectsThatCannotMoveLoseTheirPrefixAndOtherWindowsAreLeftAlone)
{
    AnchorRig rig;
    auto *timer = new QTimer(rig.host.get());
    timer->setProperty("Tag", QStringLiteral("TTFF*/tick"));
    auto *dialog = new QDialog(rig.host.get());
    dialog->resize(200, 100);
    QWidget *inDialog = AnchorRig::control(dialog, QStringLiteral("FTTF*/"), {100, 10, 50, 20});
    rig.anchor->DoInit();
    rig.show();
    EXPECT_EQ(timer->property("Tag").toString(), QStringLiteral("tick"));
    EXPECT_EQ(tagText(inDialog), QStringLiteral("FTTF*/"));
    rig.growTwips(600, 0);
    EXPECT_EQ(inDialog->x(), 100);
}

TEST(AnchorTags, ASecondDoInitKeepsTheAnchorsTheFirstOneFound)
{
    AnchorRig rig;
    QWidget *moveRight = rig.control(QStringLiteral("FTTF*/"), {300, 10, 50, 20});
    QWidget *retagged = rig.control(QStringLiteral("FTTF*/"), {300, 40, 50, 20});
    rig.anchor->DoInit();
    rig.show();
    retagged->setProperty("Tag", QStringLiteral("TTFF*/"));
    rig.anchor->DoInit();
    rig.growTwips(600, 0);
    EXPECT_EQ(moveRight->x(), 340);
    EXPECT_EQ(retagged->x(), 300);
}

TEST(AnchorTwips, AFractionalScaleLosesNoPixelOverManyResizes)
{
    AnchorRig rig;
    const float scale = 1440.0f / 110.0f;
    rig.anchor->setTwipsScale(tessaly::TwipsScale{scale, scale});
    QWidget *moveRight = rig.control(QStringLiteral("FTTF*/"), {300, 10, 50, 20});
    QWidget *stretch = rig.control(QStringLiteral("TTTT*/"), {10, 40, 200, 200});
    rig.anchor->DoInit();
    rig.show();
    const int steps[] = {1, 7, 13, 3, 29, 2, 11, 5, 17, 1, 1, 1, 23};
    int width = 400;
    int height = 300;
    for (int step : steps) {
        width += step;
        height += step % 5;
        rig.host->resize(width, height);
        ASSERT_EQ(moveRight->x(), 300 + width - 400);
        ASSERT_EQ(stretch->size(), QSize(200 + width - 400, 200 + height - 300));
    }
    rig.host->resize(400, 300);
    EXPECT_EQ(moveRight->geometry(), QRect(300, 10, 50, 20));
    EXPECT_EQ(stretch->geometry(), QRect(10, 40, 200, 200));
}
