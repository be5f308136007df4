#include "browser/FrameZones.h"

#include <algorithm>

namespace tessaly {

Qt::CursorShape toCursorShape(PointerShape shape)
{
    switch (shape) {
    case PointerShape::SizeNESW:
        return Qt::SizeBDiagCursor;
    case PointerShape::SizeNS:
        return Qt::SizeVerCursor;
    case PointerShape::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case PointerShape::SizeWE:
        return Qt::SizeHorCursor;
    case PointerShape::SizeAll:
        return Qt::SizeAllCursor;
    case PointerShape::Default:
        break;
    }
    return Qt::ArrowCursor;
}

Qt::Edges FramePress::edges() const
{
    Qt::Edges edges;
    if (LeftW != 0)
        edges |= Qt::LeftEdge;
    if (TopH != 0)
        edges |= Qt::TopEdge;
    if (RightEdge)
        edges |= Qt::RightEdge;
    if (BottomEdge)
        edges |= Qt::BottomEdge;
    return edges;
}

PointerShape FrameZones::pointerShape(PointerShape current, bool leftDown, float x, float y,
                                      float W, float H) const
{
    // Later rules override earlier ones; all comparisons are strict.
    PointerShape shape = current;
    if (!leftDown)
        shape = PointerShape::Default;
    if (x > W - m_mX || x < m_mX)
        shape = PointerShape::SizeWE;
    if (y > H - m_mY || y < m_mY)
        shape = PointerShape::SizeNS;
    if ((x > W - m_mX && y > H - m_mY) || (x < m_mX && y < m_mY))
        shape = PointerShape::SizeNWSE;
    if ((x > W - m_mX && y < m_mY) || (x < m_mX && y > H - m_mY))
        shape = PointerShape::SizeNESW;
    return shape;
}

FramePress FrameZones::press(QPointF cursor, const TwipsRect &window) const
{
    FramePress p;
    p.X = float(cursor.x()) - window.Left;
    p.Y = float(cursor.y()) - window.Top;
    const float W = window.Width;
    const float H = window.Height;
    p.LeftW = p.X < m_mX ? W : 0;
    p.TopH = p.Y < m_mY ? H : 0;
    p.RightEdge = W - m_mX < p.X;
    p.BottomEdge = H - m_mY < p.Y;
    p.cx = float(cursor.x());
    p.cy = float(cursor.y());
    return p;
}

FramePress FrameZones::movePress(QPointF cursor, const TwipsRect &window)
{
    FramePress p;
    p.X = float(cursor.x()) - window.Left;
    p.Y = float(cursor.y()) - window.Top;
    p.cx = float(cursor.x());
    p.cy = float(cursor.y());
    return p;
}

QPointF FrameZones::snapped(const FramePress &press, QPointF cursor, const TwipsRect &window)
{
    QPointF at = cursor;
    if (press.LeftW != 0)
        at.setX(window.Left);
    if (press.TopH != 0)
        at.setY(window.Top);
    if (press.RightEdge)
        at.setX(window.Left + window.Width);
    if (press.BottomEdge)
        at.setY(window.Top + window.Height);
    return at;
}

TwipsRect FrameZones::step(const FramePress &press, QPointF now, const TwipsRect &window,
                           float minimumWidth, float minimumHeight) const
{
    const float nx = float(now.x());
    const float ny = float(now.y());
    TwipsRect r = window;
    if (!press.resizes()) {
        r.Left = nx - press.X;
        r.Top = ny - press.Y;
        return r;
    }
    // The left and top edges move the window and size it in one go, so the opposite edge
    // stays; held at its minimum, the window then shifts instead of narrowing.
    if (press.LeftW != 0 && press.LeftW + press.cx - nx > 2 * m_mX) {
        r.Left = nx;
        r.Width = std::max(press.LeftW + press.cx - nx, minimumWidth);
    }
    if (press.TopH != 0 && press.TopH + press.cy - ny > 2 * m_mY) {
        r.Top = ny;
        r.Height = std::max(press.TopH + press.cy - ny, minimumHeight);
    }
    if (press.RightEdge && nx - r.Left > 2 * m_mX)
        r.Width = std::max(nx - r.Left, minimumWidth);
    if (press.BottomEdge && ny - r.Top > 2 * m_mY)
        r.Height = std::max(ny - r.Top, minimumHeight);
    return r;
}

} // namespace tessaly
