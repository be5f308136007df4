#pragma once

#include "imagefile/SaveBitmapAs.h"

#include <QImage>

/// Pictures to write in the tests, all Format_RGB32.
class SamplePictures
{
public:
    /// Looks like a screenshot of a web page: a coloured header and menu bar, anti-aliased text,
    /// a colour gradient and a photo-like area with thousands of colours.
    static QImage webPage(int width, int height);

    /// A different colour in every row and column, so that any shifted, flipped or lost row
    /// shows; rows past 65,535 differ from the rows 65,536 above them.
    static QImage rowsAndColumns(int width, int height);
};

/// Writes the picture to `path` in blocks of uneven height, as a capture gives its bands, and
/// commits it; the first failure.
tessaly::Result<void> streamInBlocks(tessaly::SaveBitmapAs &writer, const QImage &image,
                                     const QString &path);

/// Reads a written file back with Qt's readers, apart from the code that wrote it: guessing
/// the format from the content (`format` gets the one recognised), without a size limit, as
/// Format_RGB32.
QImage readWithQt(const QString &path, QByteArray *format = nullptr);

/// How far two pictures of one size differ over all pixels and the three channels: the mean
/// and the largest |a - b|; both -1 when the sizes differ.
struct ChannelError
{
    double mean = -1.0;
    int max = -1;
};
ChannelError channelError(const QImage &a, const QImage &b);
