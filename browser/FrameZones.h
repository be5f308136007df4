#pragma once

#include <QPointF>
#include <Qt>

namespace tessaly {

/// Pointer shapes the capture window shows near its edges, by their shape codes.
enum class PointerShape : int
{
    Default = 0,
    SizeNESW = 6,
    SizeNS = 7,
    SizeNWSE = 8,
    SizeWE = 9,
    SizeAll = 15,
};

Qt::CursorShape toCursorShape(PointerShape shape);

/// A window's place and size on the screen, twips.
struct TwipsRect
{
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;

    bool operator==(const TwipsRect &) const = default;
};

/// What one press on the window's surface started: a resize along the edges it was near,
/// or a move.
struct FramePress
{
    float X = 0, Y = 0; ///< pointer offset from the window's top-left corner
    float LeftW = 0;    ///< window width at the press if in the left zone, else 0
    float TopH = 0;     ///< window height at the press if in the top zone, else 0
    bool RightEdge = false;
    bool BottomEdge = false;
    float cx = 0, cy = 0; ///< pointer position right after the press, after snapping

    bool resizes() const { return LeftW != 0 || TopH != 0 || RightEdge || BottomEdge; }
    Qt::Edges edges() const;
};

/// The borderless window's frame rules: which edge zone a pointer is in, what a press there
/// starts, and where the window goes as the pointer moves. Everything is twips; the zones
/// are EdgeMarginX deep along the left and right edges and EdgeMarginY along the top and
/// bottom. Nothing here touches a widget.
class FrameZones
{
public:
    FrameZones(float EdgeMarginX, float EdgeMarginY) : m_mX(EdgeMarginX), m_mY(EdgeMarginY) {}

    /// The shape for pointer (x, y), relative to a W x H window; with the left button up
    /// away from every zone it is the arrow, with it down the shape of the press stays.
    PointerShape pointerShape(PointerShape current, bool leftDown, float x, float y, float W,
                              float H) const;

    /// A press with the pointer at `cursor` (screen twips) on `window`; cx, cy are left at
    /// the cursor and updated by the caller after snapping.
    FramePress press(QPointF cursor, const TwipsRect &window) const;
    /// A press on a drag handle: always a move.
    static FramePress movePress(QPointF cursor, const TwipsRect &window);
    /// Where the pointer goes at a resize press: onto each dragged edge, left, top, right,
    /// bottom in turn, each changing only its own coordinate.
    static QPointF snapped(const FramePress &press, QPointF cursor, const TwipsRect &window);

    /// One pass with the pointer at `now`: the window's new place and size. A resize step
    /// that would leave 2 margins or less is skipped; `minimum` is the size the window is
    /// held at (0 for none), applied after each edge as the window does when it is sized.
    TwipsRect step(const FramePress &press, QPointF now, const TwipsRect &window,
                   float minimumWidth = 0, float minimumHeight = 0) const;

    float marginX() const { return m_mX; }
    float marginY() const { return m_mY; }

private:
    float m_mX;
    float m_mY;
};

} // namespace tessaly
