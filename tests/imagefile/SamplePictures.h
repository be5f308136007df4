#pragma once

#include "imagefile/SaveBitmapAs.h"

#include <QImage>

/// Pictures to write in the tests, all Format_RGB32.
class SamplePictures
{
public:
    /// Looks like a screenshot of a web page: a coloured header, lines of anti-aliased text,
    /// flat panels, a colour gradient and a photo-like area with thousands of colours.
    static QImage webPage(int width, int height);

    /// A different colour in every row and column, so that any shifted, flipped or lost row
    /// shows; rows past 65,535 differ from the rows 65,536 above them.
    static QImage rowsAndColumns(int width, int height);
};

/// Writes the picture to `path` in blocks of uneven height, as a capture gives its bands, and
/// commits it; the first failure.
tessaly::Result<void> streamInBlocks(tessaly::SaveBitmapAs &writer, const QImage &image,
                                     const QString &path);
