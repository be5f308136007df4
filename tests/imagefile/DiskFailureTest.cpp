// Saving where the disk refuses the data because it is full.
#include "base/CheckedOutputDevice.h"
#include "imagefile/SaveBitmapAs.h"

#include "IndependentDecoder.h"
#include "SamplePictures.h"
#include "support/ScratchMount.h"

#include <QRandomGenerator>

#include <map>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;

namespace {

const QStringList FiveTypes{u".bmp"_s, u".gif"_s, u".jpg"_s, u".png"_s, u".tif"_s};

/// Noise compresses badly, so every format's file is far larger than the room left.
QImage noise(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = 0xff000000u | (random.generate() & 0xffffffu);
    }
    return image;
}

/// A scratch disk with the writer running; every failure must leave the earlier capture alone.
class ScratchSaves : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!disk.usable())
            GTEST_SKIP() << disk.skipReason().toStdString();
        ASSERT_TRUE(writer.StartGdiplus(1));
    }

    /// Saves the small picture as `name` and returns the file's bytes.
    QByteArray earlierCapture(const QString &name)
    {
        const Result<void> saved = writer.SaveImageFile(small, disk.file(name));
        EXPECT_TRUE(saved) << saved.error().toStdString();
        return contentOf(disk.file(name));
    }

    ScratchMount disk{1024 * 1024};
    SaveBitmapAs writer;
    const Picture small{SamplePictures::webPage(40, 30)};
};

} // namespace

TEST(CheckedOutputDevice, RecordsTheFirstRefusalWithTheSystemsReason)
{
    ScratchMount disk(64 * 1024);
    if (!disk.usable())
        GTEST_SKIP() << disk.skipReason().toStdString();
    QFile file(disk.file(u"out"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    CheckedOutputDevice device(file);
    EXPECT_FALSE(device.failed());
    const QByteArray block(16 * 1024, 'b');
    for (int i = 0; i < 8 && !device.failed(); ++i)
        device.write(block);
    EXPECT_TRUE(device.failed());
    EXPECT_EQ(device.failure(), u"No space left on device"_s);
    // Seeking back, as the writers that fill in their headers do, reaches the file.
    EXPECT_TRUE(device.seek(4));
    EXPECT_EQ(file.pos(), 4);
}

TEST_F(ScratchSaves, AFullDiskFailsEveryTypeHonestlyAndLeavesTheEarlierFilesAlone)
{
    std::map<QString, QByteArray> earlier;
    for (const QString &type : FiveTypes)
        earlier[type] = earlierCapture(u"000"_s + type);
    ASSERT_TRUE(disk.fill(96 * 1024));

    // A stream over the earlier file; the disk fills up in the middle of it.
    const QImage large = noise(600, 400); // 700 KB of pixels or more in every format
    for (const QString &type : FiveTypes) {
        SCOPED_TRACE(type.toStdString());
        const QString target = disk.file(u"000"_s + type);
        const QString error = streamInBlocks(writer, large, target).error();
        EXPECT_TRUE(error.contains(target) && error.contains(u"No space left on device"_s))
            << error.toStdString();
        EXPECT_EQ(contentOf(target), earlier[type]);
    }
    EXPECT_EQ(entriesOf(disk.path()), (QStringList{u".filler"_s, u"000.bmp"_s, u"000.gif"_s,
                                                   u"000.jpg"_s, u"000.png"_s, u"000.tif"_s}));

    // Room again: the next save works.
    ASSERT_TRUE(QFile::remove(disk.file(u".filler"_s)));
    ASSERT_TRUE(writer.SaveImageFile(small, disk.file(u"002.gif"_s)));
    EXPECT_EQ(IndependentDecoder::readWithQt(disk.file(u"002.gif"_s)).size(), QSize(40, 30));
}
