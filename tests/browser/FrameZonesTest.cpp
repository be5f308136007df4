#include "browser/FrameZones.h"

#include <gtest/gtest.h>

using namespace tessaly;
using S = PointerShape;

namespace {

// The capture window at its starting size on a 15-twips display: 804 x 531 pixels at
// pixel 100, 60 of the screen.
constexpr float Margin = 150;
constexpr float W = 12060, H = 7965;
const TwipsRect Start{1500, 900, W, H};
const FrameZones Zones(Margin, Margin);

// A press at (x, y) from the window's top-left corner, with the pointer snapped as the
// window does it.
FramePress pressAt(float x, float y, const TwipsRect &window = Start)
{
    const QPointF at(window.Left + x, window.Top + y);
    FramePress p = Zones.press(at, window);
    const QPointF snapped = FrameZones::snapped(p, at, window);
    p.cx = float(snapped.x());
    p.cy = float(snapped.y());
    return p;
}

} // namespace

TEST(FrameZonesPointer, ShapesOfTheZonesWithStrictComparisons)
{
    const struct
    {
        float x, y;
        bool leftDown;
        S current, expected;
    } cases[] = {
        {6000, 4000, false, S::Default, S::Default},
        {75, 4000, false, S::Default, S::SizeWE},
        {W - 75, 4000, false, S::Default, S::SizeWE},
        {6000, 75, false, S::Default, S::SizeNS},
        {6000, H - 75, false, S::Default, S::SizeNS},
        {75, 75, false, S::Default, S::SizeNWSE},
        {W - 75, H - 75, false, S::Default, S::SizeNWSE},
        {W - 75, 75, false, S::Default, S::SizeNESW},
        {75, H - 75, false, S::Default, S::SizeNESW},
        {150, 4000, false, S::Default, S::Default},
        {149.9f, 4000, false, S::Default, S::SizeWE},
        {W - 150, 4000, false, S::Default, S::Default},
        {6000, H - 150, false, S::Default, S::Default},
        {6000, H - 149, false, S::Default, S::SizeNS},
        // The shape of the press stays while the button is down, but an edge still wins.
        {6000, 4000, true, S::SizeAll, S::SizeAll},
        {6000, 4000, false, S::SizeAll, S::Default},
        {75, 4000, true, S::SizeAll, S::SizeWE},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Zones.pointerShape(c.current, c.leftDown, c.x, c.y, W, H), c.expected)
            << c.x << "," << c.y << " down " << c.leftDown;
    // Margins of 120 twips keep ten pixels on 12-twips displays.
    const FrameZones small(10 * 12.0f, 10 * 12.0f);
    EXPECT_EQ(small.pointerShape(S::Default, false, 9 * 12, 3000, W, H), S::SizeWE);
    EXPECT_EQ(small.pointerShape(S::Default, false, 10 * 12, 3000, W, H), S::Default);
}

TEST(FrameZonesPress, ZonesOfThePressAndThePointerSnapsOntoTheDraggedEdges)
{
    const FramePress right = pressAt(W - 75, 4000);
    EXPECT_EQ(right.edges(), Qt::RightEdge);
    EXPECT_EQ(QPointF(right.cx, right.cy), QPointF(Start.Left + W, Start.Top + 4000));

    const FramePress corner = pressAt(75, 60);
    EXPECT_EQ(corner.edges(), Qt::LeftEdge | Qt::TopEdge);
    EXPECT_EQ(QPointF(corner.cx, corner.cy), QPointF(Start.Left, Start.Top));

    const FramePress br = pressAt(12000, 7900);
    EXPECT_EQ(br.edges(), Qt::RightEdge | Qt::BottomEdge);
    EXPECT_EQ(QPointF(br.cx, br.cy), QPointF(Start.Left + W, Start.Top + H));

    const FramePress body = Zones.press(QPointF(Start.Left + 3000, Start.Top + 1065), Start);
    EXPECT_FALSE(body.resizes());
    EXPECT_EQ(body.X, 3000);
    EXPECT_EQ(body.Y, 1065);
}

TEST(FrameZonesStep, RightEdgeWidensByTheDistanceDraggedButNeverNarrows)
{
    const FramePress p = pressAt(W - 75, 4000);
    EXPECT_EQ(Zones.step(p, QPointF(p.cx + 1500, p.cy), Start, W, H),
              (TwipsRect{Start.Left, Start.Top, W + 1500, H}));
    EXPECT_EQ(Zones.step(p, QPointF(p.cx - 1500, p.cy), Start, W, H), Start);
}

TEST(FrameZonesStep, LeftEdgeNarrowsWithTheRightEdgeFixedThenShiftsAtTheMinimum)
{
    const TwipsRect widened{Start.Left, Start.Top, W + 3000, H};
    const FramePress p = pressAt(75, 4000, widened);
    const TwipsRect narrowed = Zones.step(p, QPointF(p.cx + 1000, 0), widened, W, H);
    EXPECT_EQ(narrowed.Left, widened.Left + 1000);
    EXPECT_EQ(narrowed.Left + narrowed.Width, widened.Left + widened.Width);
    // Past the starting width the whole window moves right at that width.
    const TwipsRect shifted = Zones.step(p, QPointF(p.cx + 4000, 0), narrowed, W, H);
    EXPECT_EQ(shifted.Left, widened.Left + 4000);
    EXPECT_EQ(shifted.Width, W);
}

TEST(FrameZonesStep, TopLeftCornerGrowsAroundTheFixedBottomRightCorner)
{
    const FramePress p = pressAt(75, 75);
    EXPECT_EQ(Zones.step(p, QPointF(Start.Left - 900, Start.Top - 600), Start, W, H),
              (TwipsRect{Start.Left - 900, Start.Top - 600, W + 900, H + 600}));
}

TEST(FrameZonesStep, StepsLeavingTwoMarginsOrLessAreSkipped)
{
    const FramePress p = pressAt(W - 75, H - 75);
    // No minimum here: a window of 300 twips or less is never made.
    EXPECT_EQ(Zones.step(p, QPointF(Start.Left + 300, Start.Top + 300), Start), Start);
    EXPECT_EQ(Zones.step(p, QPointF(Start.Left + 301, Start.Top + 301), Start),
              (TwipsRect{Start.Left, Start.Top, 301, 301}));
}

TEST(FrameZonesStep, PressAwayFromTheEdgesMovesTheWindow)
{
    const FramePress p = Zones.press(QPointF(Start.Left + 3000, Start.Top + 1065), Start);
    EXPECT_EQ(Zones.step(p, QPointF(Start.Left + 4500, Start.Top + 1065 - 300), Start),
              (TwipsRect{Start.Left + 1500, Start.Top - 300, W, H}));
    // A drag handle over the top edge moves, never sizes.
    EXPECT_FALSE(FrameZones::movePress(QPointF(Start.Left + 75, Start.Top + 30), Start).resizes());
}
