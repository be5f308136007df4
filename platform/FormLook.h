#pragma once

#include "drawing/Twips.h"

#include <QFont>
#include <QString>

class QWidget;

namespace tessaly {

/// The windows' forms are drawn at 96 dots per inch, where a pixel is 15 twips.
inline constexpr float DesignTwipsPerPixel = 15.0f;

/// Verdana where it is installed, otherwise DejaVu Sans, the metric font Debian ships.
QString formFontFamily();
/// The form font at a point size.
QFont formFont(double points, bool bold);

/// Gives every control that carries a "Tag" property, and the form itself, the pixels of
/// its design twips at `scale`. Nothing changes at 15 twips per pixel.
void scaleFormFromDesign(QWidget &form, const TwipsScale &scale);

} // namespace tessaly
