#pragma once

#include <QObject>

class QWidget;

namespace tessaly {

/// The controls of `window`: every object below it, each container before what it holds,
/// leaving out other windows (dialogs, menus) and everything inside them, since those
/// follow their own window.
QObjectList hostControls(const QWidget *window);

/// The controls a designer works with: those of hostControls() that carry a name of their
/// own (Qt's internal parts are unnamed or named "qt_...").
QObjectList namedControls(const QWidget *window);

} // namespace tessaly
