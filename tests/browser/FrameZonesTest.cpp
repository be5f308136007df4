#include "browser/FrameZones.h"

#include <gtest/gtest.h>

using namespace tessaly;

namespace {

// The capture window at its starting size on a 15-twips display: 804 x 531 pixels at
// pixel 100, 60 of the screen.
constexpr float Margin = 150;
const TwipsRect Start{1500, 900, 12060, 7965};

PointerShape shapeAt(float x, float y, bool leftDown = false,
                     PointerShape current = PointerShape::Default)
{
    return FrameZones(Margin, Margin)
        .pointerShape(current, leftDown, x, y, Start.Width, Start.Height);
}

} // namespace

TEST(FrameZonesPointer, EdgesAndCornersShowTheirArrows)
{
    EXPECT_EQ(shapeAt(6000, 4000), PointerShape::Default);
    EXPECT_EQ(shapeAt(75, 4000), PointerShape::SizeWE);
    EXPECT_EQ(shapeAt(12060 - 75, 4000), PointerShape::SizeWE);
    EXPECT_EQ(shapeAt(6000, 75), PointerShape::SizeNS);
    EXPECT_EQ(shapeAt(6000, 7965 - 75), PointerShape::SizeNS);
    EXPECT_EQ(shapeAt(75, 75), PointerShape::SizeNWSE);
    EXPECT_EQ(shapeAt(12060 - 75, 7965 - 75), PointerShape::SizeNWSE);
    EXPECT_EQ(shapeAt(12060 - 75, 75), PointerShape::SizeNESW);
    EXPECT_EQ(shapeAt(75, 7965 - 75), PointerShape::SizeNESW);
}

TEST(FrameZonesPointer, ComparisonsAreStrict)
{
    EXPECT_EQ(shapeAt(150, 4000), PointerShape::Default);
    EXPECT_EQ(shapeAt(149.9f, 4000), PointerShape::SizeWE);
    EXPECT_EQ(shapeAt(12060 - 150, 4000), PointerShape::Default);
    EXPECT_EQ(shapeAt(6000, 7965 - 150), PointerShape::Default);
    EXPECT_EQ(shapeAt(6000, 7965 - 149), PointerShape::SizeNS);
}

TEST(FrameZonesPointer, ShapeOfThePressStaysWhileTheButtonIsDown)
{
    EXPECT_EQ(shapeAt(6000, 4000, true, PointerShape::SizeAll), PointerShape::SizeAll);
    EXPECT_EQ(shapeAt(6000, 4000, false, PointerShape::SizeAll), PointerShape::Default);
    // Near an edge the edge's shape still wins.
    EXPECT_EQ(shapeAt(75, 4000, true, PointerShape::SizeAll), PointerShape::SizeWE);
}

TEST(FrameZonesPointer, MarginsOf120TwipsKeepTenPixelsOn12TwipsDisplays)
{
    const FrameZones zones(10 * 12.0f, 10 * 12.0f);
    // 9 pixels in from the left edge of a 1005-pixel-wide window.
    EXPECT_EQ(zones.pointerShape(PointerShape::Default, false, 9 * 12, 3000, 12060, 7965),
              PointerShape::SizeWE);
    EXPECT_EQ(zones.pointerShape(PointerShape::Default, false, 10 * 12, 3000, 12060, 7965),
              PointerShape::Default);
}

TEST(FrameZonesPress, ZonesOfThePress)
{
    const FrameZones zones(Margin, Margin);
    const FramePress right = zones.press(QPointF(Start.Left + 12060 - 75, Start.Top + 4000), Start);
    EXPECT_TRUE(right.RightEdge);
    EXPECT_FALSE(right.BottomEdge);
    EXPECT_EQ(right.LeftW, 0);
    EXPECT_EQ(right.TopH, 0);
    EXPECT_EQ(right.edges(), Qt::RightEdge);

    const FramePress corner = zones.press(QPointF(Start.Left + 75, Start.Top + 75), Start);
    EXPECT_EQ(corner.LeftW, Start.Width);
    EXPECT_EQ(corner.TopH, Start.Height);
    EXPECT_EQ(corner.edges(), Qt::LeftEdge | Qt::TopEdge);

    const FramePress body = zones.press(QPointF(Start.Left + 3000, Start.Top + 1065), Start);
    EXPECT_FALSE(body.resizes());
    EXPECT_EQ(body.X, 3000);
    EXPECT_EQ(body.Y, 1065);
}

TEST(FrameZonesPress, PointerSnapsOntoTheDraggedEdges)
{
    const FrameZones zones(Margin, Margin);
    const QPointF at(Start.Left + 75, Start.Top + 60);
    const FramePress corner = zones.press(at, Start);
    EXPECT_EQ(FrameZones::snapped(corner, at, Start), QPointF(Start.Left, Start.Top));

    const QPointF nearBottomRight(Start.Left + 12000, Start.Top + 7900);
    const FramePress br = zones.press(nearBottomRight, Start);
    EXPECT_EQ(FrameZones::snapped(br, nearBottomRight, Start),
              QPointF(Start.Left + Start.Width, Start.Top + Start.Height));

    const QPointF nearRight(Start.Left + 12000, Start.Top + 3000);
    EXPECT_EQ(FrameZones::snapped(zones.press(nearRight, Start), nearRight, Start),
              QPointF(Start.Left + Start.Width, Start.Top + 3000));
}

TEST(FrameZonesStep, RightEdgeWidensByTheDistanceDragged)
{
    const FrameZones zones(Margin, Margin);
    FramePress p = zones.press(QPointF(Start.Left + 12060 - 75, Start.Top + 4000), Start);
    p.cx = Start.Left + Start.Width;
    const TwipsRect wider =
        zones.step(p, QPointF(p.cx + 1500, Start.Top + 4000), Start, 12060, 7965);
    EXPECT_EQ(wider, (TwipsRect{Start.Left, Start.Top, 12060 + 1500, 7965}));
    // Dragged inward it never gets narrower than the starting width.
    const TwipsRect narrower =
        zones.step(p, QPointF(p.cx - 1500, Start.Top + 4000), Start, 12060, 7965);
    EXPECT_EQ(narrower, Start);
}

TEST(FrameZonesStep, LeftEdgeNarrowsWithTheRightEdgeFixedThenShiftsAtTheMinimum)
{
    const FrameZones zones(Margin, Margin);
    const TwipsRect widened{Start.Left, Start.Top, 12060 + 3000, 7965};
    FramePress p = zones.press(QPointF(widened.Left + 75, widened.Top + 4000), widened);
    p.cx = widened.Left;
    const TwipsRect narrowed = zones.step(p, QPointF(p.cx + 1000, 0), widened, 12060, 7965);
    EXPECT_EQ(narrowed.Left, widened.Left + 1000);
    EXPECT_EQ(narrowed.Left + narrowed.Width, widened.Left + widened.Width);
    // Past the starting width the whole window moves right at that width.
    const TwipsRect shifted = zones.step(p, QPointF(p.cx + 4000, 0), narrowed, 12060, 7965);
    EXPECT_EQ(shifted.Left, widened.Left + 4000);
    EXPECT_EQ(shifted.Width, 12060);
}

TEST(FrameZonesStep, TopLeftCornerGrowsAroundTheFixedBottomRightCorner)
{
    const FrameZones zones(Margin, Margin);
    FramePress p = zones.press(QPointF(Start.Left + 75, Start.Top + 75), Start);
    p.cx = Start.Left;
    p.cy = Start.Top;
    const TwipsRect grown =
        zones.step(p, QPointF(Start.Left - 900, Start.Top - 600), Start, 12060, 7965);
    EXPECT_EQ(grown, (TwipsRect{Start.Left - 900, Start.Top - 600, 12060 + 900, 7965 + 600}));
}

TEST(FrameZonesStep, StepsLeavingTwoMarginsOrLessAreSkipped)
{
    const FrameZones zones(Margin, Margin);
    FramePress p = zones.press(QPointF(Start.Left + 12060 - 75, Start.Top + 7965 - 75), Start);
    p.cx = Start.Left + Start.Width;
    p.cy = Start.Top + Start.Height;
    // No minimum here: a window of 300 twips or less is never made.
    const TwipsRect tiny = zones.step(p, QPointF(Start.Left + 300, Start.Top + 300), Start);
    EXPECT_EQ(tiny, Start);
    const TwipsRect small = zones.step(p, QPointF(Start.Left + 301, Start.Top + 301), Start);
    EXPECT_EQ(small, (TwipsRect{Start.Left, Start.Top, 301, 301}));
}

TEST(FrameZonesStep, PressAwayFromTheEdgesMovesTheWindow)
{
    const FrameZones zones(Margin, Margin);
    const FramePress p = zones.press(QPointF(Start.Left + 3000, Start.Top + 1065), Start);
    const TwipsRect moved =
        zones.step(p, QPointF(Start.Left + 4500, Start.Top + 1065 - 300), Start);
    EXPECT_EQ(moved, (TwipsRect{Start.Left + 1500, Start.Top - 300, 12060, 7965}));
    const FramePress handle =
        FrameZones::movePress(QPointF(Start.Left + 75, Start.Top + 30), Start);
    EXPECT_FALSE(handle.resizes()); // a drag handle over the top edge moves, never sizes
}
