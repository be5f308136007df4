#pragma once

#include "drawing/Colour.h"
#include "drawing/Picture.h"
#include "drawing/Twips.h"

#include <QImage>

namespace tessaly {

enum class ScaleMode
{
    Twips,
    Pixels
};

/// A picture box that is never shown: outer size in twips, an optional flat 1-pixel frame
/// (the drawable area is then 2 pixels smaller each way), a coordinate unit, a persistent
/// image that drawing goes into and that clearing resets to the background colour (plus the
/// background picture, if any), and auto-size to an assigned picture.
///
/// The image is only allocated once something is drawn, and clearing a surface without a
/// background picture releases it, so a page-high canvas costs memory only while it is used.
class DrawingSurface
{
public:
    explicit DrawingSurface(TwipsScale scale = {}, bool framed = false,
                            Colour backColour = WindowBackground);

    const TwipsScale &twipsScale() const { return m_scale; }
    void setTwipsScale(const TwipsScale &scale);

    // Outer geometry, twips.
    float left() const { return m_left; }
    float top() const { return m_top; }
    float width() const { return m_width; }
    float height() const { return m_height; }
    void setLeft(float twips) { m_left = twips; }
    void setTop(float twips) { m_top = twips; }
    void setWidth(float twips);
    void setHeight(float twips);

    bool framed() const { return m_framed; }
    void setFramed(bool framed);
    ScaleMode scaleMode() const { return m_scaleMode; }
    void setScaleMode(ScaleMode mode) { m_scaleMode = mode; }
    bool autoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool on) { m_autoRedraw = on; }
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on) { m_autoSize = on; }
    bool visible() const { return m_visible; }
    void setVisible(bool on) { m_visible = on; }
    Colour backColour() const { return m_backColour; }
    void setBackColour(Colour colour);

    /// Drawable area in pixels (outer size less the frame).
    int drawableWidth() const;
    int drawableHeight() const;
    /// Drawable area in the surface's coordinate unit.
    double scaleWidth() const;
    double scaleHeight() const;

    /// Background picture; with auto-size the surface takes the picture's size.
    const Picture &picture() const { return m_picture; }
    void setPicture(const Picture &picture);

    /// Resets the image to the background colour and the background picture.
    void clear();
    /// The colour of a pixel of the drawable area, NoColour outside it; setting one outside
    /// does nothing.
    Colour pixelAt(int x, int y) const;
    void setPixelAt(int x, int y, Colour colour);

    /// The persistent image, drawable-area sized.
    Picture image() const;

private:
    int outerPixelsX() const;
    int outerPixelsY() const;
    int frameWidth() const { return m_framed ? 1 : 0; }
    QImage blankImage() const;
    void ensureImage();
    void fitImageToSize();

    TwipsScale m_scale;
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
    bool m_framed = false;
    ScaleMode m_scaleMode = ScaleMode::Twips;
    bool m_autoRedraw = false;
    bool m_autoSize = false;
    bool m_visible = true;
    Colour m_backColour = WindowBackground;
    Picture m_picture;
    QImage m_image; // null while the surface shows only background and picture
};

} // namespace tessaly
