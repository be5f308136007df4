#pragma once
// Files and filters the dialog tests set up.
#include <QColor>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace dialogrig {

using namespace Qt::StringLiterals;

inline const QChar Nul(u'\0');

inline QString bitmapFilter()
{
    return u"Bitmap (*.bmp) "_s + Nul + u"*.bmp"_s;
}

inline void writePicture(const QString &path, int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "BMP"));
}

} // namespace dialogrig
