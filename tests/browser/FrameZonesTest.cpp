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

TEST(FrameZonesStep, EachPressSizesOrMovesTheWindowAsThePointerGoes)
{
    const float L = Start.Left, T = Start.Top;
    const TwipsRect widened{L, T, W + 3000, H}, narrowed{L + 1000, T, W + 2000, H};
    const struct
    {
        float x, y;               // the press, from the top-left corner of `pressed`
        TwipsRect pressed, from;  // the window at the press and before this step
        QPointF to;               // the pointer, screen twips
        float minimumW, minimumH; // 0: no minimum
        TwipsRect expected;
    } cases[] = {
        // The right edge widens by the distance dragged but never narrows.
        {W - 75, 4000, Start, Start, {L + W + 1500, T + 4000}, W, H, {L, T, W + 1500, H}},
        {W - 75, 4000, Start, Start, {L + W - 1500, T + 4000}, W, H, Start},
        // The left edge narrows with the right edge fixed; past the starting width the whole
        // window moves right at that width.
        {75, 4000, widened, widened, {L + 1000, 0}, W, H, narrowed},
        {75, 4000, widened, narrowed, {L + 4000, 0}, W, H, {L + 4000, T, W, H}},
        // The top-left corner grows around the fixed bottom-right corner.
        {75, 75, Start, Start, {L - 900, T - 600}, W, H, {L - 900, T - 600, W + 900, H + 600}},
        // Steps leaving two margins or less are skipped; without a minimum, a window of 300
        // twips or less is never made.
        {W - 75, H - 75, Start, Start, {L + 300, T + 300}, 0, 0, Start},
        {W - 75, H - 75, Start, Start, {L + 301, T + 301}, 0, 0, {L, T, 301, 301}},
        // A press away from the edges moves the window.
        {3000, 1065, Start, Start, {L + 4500, T + 765}, 0, 0, {L + 1500, T - 300, W, H}},
    };
    for (const auto &c : cases) {
        const FramePress p = pressAt(c.x, c.y, c.pressed);
        const TwipsRect r = Zones.step(p, c.to, c.from, c.minimumW, c.minimumH);
        EXPECT_EQ(r, c.expected) << c.x << "," << c.y << " to " << c.to.x() << "," << c.to.y()
                                 << ": " << r.Left << "," << r.Top << " " << r.Width << "x"
                                 << r.Height;
    }
}

TEST(FrameZonesPress, ADragHandleOverTheTopEdgeMovesNeverSizes)
{
    EXPECT_FALSE(FrameZones::movePress(QPointF(Start.Left + 75, Start.Top + 30), Start).resizes());
}
