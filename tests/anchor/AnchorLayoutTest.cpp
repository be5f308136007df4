#include "PageHelpers.h"

#include "anchor/Anchor.h"

#include <QDialog>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace tessaly;
using namespace Qt::StringLiterals;

namespace {

// A shown 400 x 300 pixel window at 15 twips per pixel, with controls placed on it.
struct AnchorRig
{
    static constexpr int Twips = 15;

    AnchorRig() : host(std::make_unique<QWidget>())
    {
        host->resize(400, 300);
        anchor = new Anchor(host.get());
        anchor->setTwipsScale(TwipsScale{Twips, Twips});
    }

    // On the window unless another parent is given; a null tag sets no Tag.
    QWidget *control(const QString &tag, const QRect &pixels, QWidget *parent = nullptr)
    {
        auto *w = new QWidget(parent ? parent : host.get());
        w->setGeometry(pixels);
        if (!tag.isNull())
            w->setProperty("Tag", tag);
        return w;
    }

    // In whole twips; the layout runs from the window's resize event.
    void resizeTwips(int width, int height) { host->resize(width / Twips, height / Twips); }
    void growTwips(int width, int height)
    {
        resizeTwips(host->width() * Twips + width, host->height() * Twips + height);
    }

    std::unique_ptr<QWidget> host;
    Anchor *anchor = nullptr; // a child of host
};

} // namespace

TEST(AnchorLayout, EachFlagSetFollowsItsEdgesAndControlsInContainersFollowTheirContainer)
{
    // A control: its container's row in the same table (-1: the window), its tag, where it
    // starts, and where it stands after the first and the second resize.
    struct Case
    {
        int parent;
        QString tag;
        QRect start, first, second;
    };
    // Grown by 600 x 300 twips (40 x 20 pixels), then 20 pixels below the start (no minimum).
    // Rows 13 and 14: a frame that moves without changing size keeps what it holds in place.
    const std::vector<Case> cases = {
        {-1, u"TTTT*/"_s, {10, 40, 200, 200}, {10, 40, 240, 220}, {10, 40, 180, 180}},
        {-1, u"TFTT*/"_s, {0, 280, 400, 20}, {0, 300, 440, 20}, {0, 260, 380, 20}},
        {-1, u"FFTT*/"_s, {350, 280, 50, 20}, {390, 300, 50, 20}, {330, 260, 50, 20}},
        {-1, u"TFFT*/"_s, {10, 250, 30, 20}, {10, 270, 30, 20}, {10, 230, 30, 20}},
        {-1, u"TTFF*/Info"_s, {220, 40, 30, 20}, {220, 40, 30, 20}, {220, 40, 30, 20}},
        {-1, u"FFFF*/"_s, {220, 70, 30, 20}, {220, 70, 30, 20}, {220, 70, 30, 20}},
        {-1, u"Info"_s, {220, 100, 30, 20}, {220, 100, 30, 20}, {220, 100, 30, 20}},
        {-1, u"see */ here"_s, {300, 40, 50, 20}, {300, 40, 50, 20}, {300, 40, 50, 20}},
        {-1, u"fttf*/x"_s, {300, 70, 50, 20}, {300, 70, 50, 20}, {300, 70, 50, 20}},
        {-1, u"*/"_s, {300, 100, 50, 20}, {300, 100, 50, 20}, {300, 100, 50, 20}},
        {-1, u"TTTF*/"_s, {10, 10, 380, 100}, {10, 10, 420, 100}, {10, 10, 360, 100}},
        {10, u"FTTF*/"_s, {300, 10, 50, 20}, {340, 10, 50, 20}, {280, 10, 50, 20}},
        {10, u"TTTF*/"_s, {10, 40, 280, 20}, {10, 40, 320, 20}, {10, 40, 260, 20}},
        {-1, u"FTTF*/"_s, {300, 150, 90, 100}, {340, 150, 90, 100}, {280, 150, 90, 100}},
        {13, u"FTTF*/"_s, {40, 10, 40, 20}, {40, 10, 40, 20}, {40, 10, 40, 20}},
        {-1, u"TTTT*/"_s, {10, 150, 280, 140}, {10, 150, 320, 160}, {10, 150, 260, 120}},
        {15, u"TTTT*/"_s, {10, 10, 260, 120}, {10, 10, 300, 140}, {10, 10, 240, 100}},
        {16, u"FFTT*/"_s, {200, 90, 50, 20}, {240, 110, 50, 20}, {180, 70, 50, 20}},
    };
    AnchorRig rig;
    std::vector<QWidget *> made;
    for (const Case &c : cases)
        made.push_back(rig.control(c.tag, c.start, c.parent < 0 ? nullptr : made.at(c.parent)));
    rig.anchor->DoInit();
    rig.host->show();
    const auto expectAt = [&](QRect Case::*when) {
        for (size_t i = 0; i < cases.size(); ++i)
            EXPECT_EQ(made[i]->geometry(), cases[i].*when) << "row " << i;
    };
    // Only a leading prefix of four flags is an anchor, and only the prefix is taken off.
    static const QRegularExpression prefix(u"^[TF]{4}\\*/"_s);
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(tagText(made[i]), QString(cases[i].tag).remove(prefix)) << "row " << i;

    rig.growTwips(600, 300);
    ASSERT_EQ(rig.host->size(), QSize(440, 320));
    expectAt(&Case::first);
    rig.resizeTwips(5700, 4200);
    ASSERT_EQ(rig.host->size(), QSize(380, 280));
    expectAt(&Case::second);
}

TEST(AnchorLayout, TheWindowNeverGetsSmallerThanTheSizeGivenToDoInit)
{
    // Every control moves by the change the layout reports, so the report stands for them.
    AnchorRig rig;
    rig.anchor->DontRefresh = true;
    rig.anchor->DoInit(rig.anchor->windowHeight(), rig.anchor->windowWidth());
    rig.host->show();
    QSignalSpy after(rig.anchor, &Anchor::AfterResize); // the height's change, the width's

    // Only the clamp acts: the layout reports no change.
    rig.resizeTwips(3000, 3000);
    EXPECT_EQ(rig.host->size(), QSize(400, 300));
    ASSERT_EQ(after.count(), 1);
    EXPECT_EQ(after.last(), (QVariantList{0, 0}));

    // Shrinking far below the minimum reports only what remains of the change.
    rig.growTwips(600, 600);
    rig.resizeTwips(1500, 7500);
    EXPECT_EQ(rig.host->size(), QSize(400, 500));
    EXPECT_EQ(after.last(), (QVariantList{2400, -600}));
}

TEST(AnchorLayout, MinimisingAndRestoringLeavesEveryControlWhereItWas)
{
    AnchorRig rig;
    QWidget *moveRight = rig.control(u"FTTF*/"_s, {300, 10, 50, 20});
    rig.anchor->DoInit();
    rig.host->show();
    rig.host->setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(rig.host->isMinimized());
    rig.resizeTwips(2400, 600); // what a minimised window may report
    EXPECT_EQ(moveRight->geometry(), QRect(300, 10, 50, 20));
    rig.host->setWindowState(Qt::WindowNoState);
    rig.resizeTwips(6000, 4500);
    rig.growTwips(150, 0); // measured from the size before
    EXPECT_EQ(moveRight->geometry(), QRect(310, 10, 50, 20));
}

TEST(AnchorLayout, BeforeDoInitTheFirstLayoutOnlySettlesTheMinimumSize)
{
    AnchorRig rig;
    QWidget *moveRight = rig.control(u"FTTF*/"_s, {300, 10, 50, 20});
    QSignalSpy before(rig.anchor, &Anchor::BeforeResize);
    rig.anchor->DoResize();
    EXPECT_EQ(std::pair(rig.anchor->MinHeight, rig.anchor->MinWidth), std::pair(4500, 6000));
    EXPECT_EQ(before.count(), 0);

    // Later layouts raise their events but know no anchors.
    rig.host->show();
    rig.growTwips(600, 0);
    EXPECT_GE(before.count(), 1);
    EXPECT_EQ(moveRight->geometry(), QRect(300, 10, 50, 20));
    EXPECT_EQ(tagText(moveRight), u"FTTF*/"_s);

    // A minimum set before the first layout sizes the window; an unset width keeps the width.
    for (int minWidth : {4500, 0}) {
        AnchorRig sized;
        sized.anchor->MinHeight = 3000;
        sized.anchor->MinWidth = minWidth;
        sized.anchor->DoResize();
        EXPECT_EQ(sized.host->size(), QSize(minWidth ? 300 : 400, 200)) << minWidth;
    }
}

TEST(AnchorLayout, DontRefreshDecidesWhetherTheLayoutHoldsPainting)
{
    AnchorRig rig;
    rig.anchor->DoInit();
    rig.host->show();
    std::vector<bool> paintingDuringLayout;
    QObject::connect(rig.anchor, &Anchor::BeforeResize, rig.host.get(),
                     [&] { paintingDuringLayout.push_back(rig.host->updatesEnabled()); });

    rig.growTwips(150, 0);
    rig.anchor->DontRefresh = true;
    rig.growTwips(150, 0);
    EXPECT_EQ(paintingDuringLayout, (std::vector<bool>{false, true}));
    EXPECT_TRUE(rig.host->updatesEnabled());

    // A window its host froze stays frozen after a layout.
    rig.anchor->DontRefresh = false;
    Anchor::Freeze(rig.host.get());
    rig.growTwips(150, 0);
    EXPECT_FALSE(rig.host->updatesEnabled());
}

TEST(AnchorTags, OnlyMovableControlsOfTheWindowItselfTakeAnchors)
{
    AnchorRig rig;
    QWidget *untagged = rig.control(QString(), {300, 100, 50, 20});
    auto *timer = new QTimer(rig.host.get());
    timer->setProperty("Tag", u"TTFF*/tick"_s);
    auto *dialog = new QDialog(rig.host.get()); // another window: left alone
    dialog->resize(200, 100);
    QWidget *inDialog = rig.control(u"FTTF*/"_s, {100, 10, 50, 20}, dialog);
    rig.anchor->DoInit();
    rig.host->show();
    EXPECT_FALSE(untagged->property("Tag").isValid());
    EXPECT_EQ(timer->property("Tag").toString(), u"tick"_s); // cannot move: loses its prefix
    EXPECT_EQ(tagText(inDialog), u"FTTF*/"_s);
}

TEST(AnchorTags, ASecondDoInitKeepsTheAnchorsTheFirstOneFound)
{
    AnchorRig rig;
    QWidget *moveRight = rig.control(u"FTTF*/"_s, {300, 10, 50, 20});
    QWidget *retagged = rig.control(u"FTTF*/"_s, {300, 40, 50, 20});
    rig.anchor->DoInit();
    rig.host->show();
    retagged->setProperty("Tag", u"TTFF*/"_s);
    rig.anchor->DoInit();
    rig.growTwips(600, 0);
    EXPECT_EQ(moveRight->x(), 340);
    EXPECT_EQ(retagged->x(), 300);
}

TEST(AnchorTwips, AFractionalScaleLosesNoPixelOverManyResizes)
{
    AnchorRig rig;
    const float scale = 1440.0f / 110.0f;
    rig.anchor->setTwipsScale(TwipsScale{scale, scale});
    QWidget *moveRight = rig.control(u"FTTF*/"_s, {300, 10, 50, 20});
    QWidget *stretch = rig.control(u"TTTT*/"_s, {10, 40, 200, 200});
    rig.anchor->DoInit();
    rig.host->show();
    int width = 400, height = 300;
    for (int step : {1, 7, 13, 3, 29, 2, 11, 5, 17, 1, 1, 1, 23}) {
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
