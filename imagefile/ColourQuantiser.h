#pragma once

#include <QImage>

namespace tessaly {

/// Reduces a true-colour image to a palette of at most 256 colours for formats that only
/// hold palette images.
///
/// An image with few enough colours keeps them exactly (flat page designs usually do).
/// Otherwise the palette comes from a median cut over a colour histogram of the whole
/// image, each cut placed where it leaves the least squared error, followed by two rounds
/// of moving every colour to its nearest palette entry and every entry to the mean of its
/// colours. Pixels are mapped to the nearest entry without dithering, so text edges and
/// flat areas stay clean.
class ColourQuantiser
{
public:
    explicit ColourQuantiser(int maxColours = 256);

    /// An 8-bit indexed copy of the image (alpha ignored); a null image when image is null.
    QImage quantise(const QImage &image) const;

private:
    int m_maxColours;
};

} // namespace tessaly
