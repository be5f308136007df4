#include "drawing/Picture.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <QtEndian>

#include <gtest/gtest.h>

using namespace tessaly;

// Watermark files as users have them: whole, cut off, not a picture, or claiming a size
// no machine should decode for a stamp.
TEST(PictureFile, OnlyWholeReadablePicturesLoad)
{
    TempDir dir;
    const QString path =
        writeBitmap(dir.file(QStringLiteral("good.bmp")), 200, 100, QColor(10, 20, 30));
    const Result<Picture> good = Picture::fromFile(path);
    ASSERT_TRUE(good) << good.error().toStdString();
    EXPECT_EQ(good->image().pixel(199, 99), qRgb(10, 20, 30));

    const QByteArray whole = contentOf(path);
    QByteArray huge = whole.left(54);
    qToLittleEndian<qint32>(20000, huge.data() + 18);
    qToLittleEndian<qint32>(20000, huge.data() + 22);
    const QString bad = dir.file(QStringLiteral("bad.bmp"));
    for (const QByteArray &bytes :
         {whole.left(whole.size() / 2), whole.left(int(whole.size() * 0.99)),
          QByteArray("just some words"), huge}) {
        writeFile(bad, bytes);
        EXPECT_FALSE(Picture::fromFile(bad).error().isEmpty()) << bytes.size();
    }
    EXPECT_FALSE(Picture::fromFile(dir.file(QStringLiteral("missing.bmp"))));
}
