#pragma once

#include "drawing/Picture.h"

class QImage;
class QWidget;

namespace tessaly {

struct CaptureState;

/// Takes the picture of an area of the capture window, from what its views show.
class WindowGrab
{
public:
    explicit WindowGrab(const CaptureState &state) : m_state(state) {}

    /// The area in pixels of `window`; nothing when it cannot be taken whole.
    Picture GrabWindowArea(QWidget *window, bool clientOnly, int left, int top, int width,
                           int height) const;
    static Picture MakeBitmapPicture(const QImage &bitmap);

private:
    const CaptureState &m_state;
};

} // namespace tessaly
