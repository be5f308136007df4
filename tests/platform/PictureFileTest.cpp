#include "drawing/Picture.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace tessaly;

namespace {

QByteArray bitmapBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QString written(const TempDir &dir, const char *name, const QByteArray &bytes)
{
    const QString path = dir.file(QString::fromLatin1(name));
    writeFile(path, bytes);
    return path;
}

} // namespace

// Watermark files as users have them: whole, cut off, not a picture, or claiming a size
// no machine should decode for a stamp.
TEST(PictureFile, OnlyWholeReadablePicturesLoad)
{
    TempDir dir;
    const QByteArray whole = bitmapBytes(200, 100);
    const Result<Picture> good = Picture::fromFile(written(dir, "good.bmp", whole));
    ASSERT_TRUE(good) << good.error().toStdString();
    EXPECT_EQ(good->width(), 200);
    EXPECT_EQ(good->image().pixel(199, 99), qRgb(10, 20, 30));

    for (double kept : {0.5, 0.99}) {
        const QString cut = written(dir, "cut.bmp", whole.left(int(whole.size() * kept)));
        const Result<Picture> refused = Picture::fromFile(cut);
        EXPECT_FALSE(refused) << kept;
        EXPECT_FALSE(refused.error().isEmpty());
    }

    const Result<Picture> text = Picture::fromFile(written(dir, "text.bmp", "just some words"));
    EXPECT_FALSE(text);
    EXPECT_FALSE(text.error().isEmpty());

    QByteArray huge = whole.left(54);
    qToLittleEndian<qint32>(20000, huge.data() + 18);
    qToLittleEndian<qint32>(20000, huge.data() + 22);
    EXPECT_FALSE(Picture::fromFile(written(dir, "huge.bmp", huge)));
    EXPECT_FALSE(Picture::fromFile(dir.file(QStringLiteral("missing.bmp"))));
}
