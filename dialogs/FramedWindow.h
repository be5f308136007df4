#pragma once

#include <QPoint>
#include <QRect>

#include <functional>

class QWidget;

namespace tessaly {

/// A top-level window as the user sees it: with the frame a decorating window manager puts
/// around it, which arrives only once the window is mapped.
namespace FramedWindow {

/// The window's rectangle with its frame; before it is shown, the toolkit's guess.
QRect geometry(const QWidget &window);
/// Puts the frame's corner at `corner`. A shown window is placed through the window system,
/// which applies the frame as it is now; the widget would use the frame it last guessed.
void moveTo(QWidget &window, QPoint corner);
/// Calls `framed` once, after the first time the shown window is exposed: by then the
/// manager has framed and mapped it. At once when the window has no window system side.
void whenFramed(QWidget &window, std::function<void()> framed);

} // namespace FramedWindow

} // namespace tessaly
