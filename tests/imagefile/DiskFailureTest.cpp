#include "imagefile/SaveBitmapAs.h"

#include "SamplePictures.h"
#include "support/FileHelpers.h"
#include "support/ScratchMount.h"

#include <QRandomGenerator>

#include <map>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;

// The disk's refusal is what the file's device records, with the system's reason, whatever
// the encoder makes of its failed writes; every failure leaves the earlier capture alone.
TEST(ScratchSaves, AFullDiskFailsEveryTypeHonestlyAndLeavesTheEarlierFilesAlone)
{
    ScratchMount disk(1024 * 1024);
    if (!disk.usable())
        GTEST_SKIP() << disk.skipReason().toStdString();
    SaveBitmapAs writer;
    ASSERT_TRUE(writer.StartGdiplus(1));
    const Picture small(SamplePictures::webPage(40, 30));
    const QStringList types{u".bmp"_s, u".gif"_s, u".jpg"_s, u".png"_s, u".tif"_s};
    std::map<QString, QByteArray> earlier;
    for (const QString &type : types) {
        ASSERT_TRUE(writer.SaveImageFile(small, disk.file(u"000"_s + type)));
        earlier[type] = contentOf(disk.file(u"000"_s + type));
    }
    ASSERT_TRUE(disk.fill(96 * 1024));

    // A stream over the earlier file; the disk fills up in the middle of it. Noise compresses
    // badly: 700 KB or more in every format. Three bytes a pixel, so that every random byte is
    // a colour; rows are whole words.
    QImage large(600, 400, QImage::Format_RGB888);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(large.bits()),
                                  large.sizeInBytes() / 4);
    for (const QString &type : types) {
        SCOPED_TRACE(type.toStdString());
        const QString target = disk.file(u"000"_s + type);
        const QString error = streamInBlocks(writer, large, target).error();
        EXPECT_TRUE(error.contains(target) && error.contains(u"No space left on device"_s))
            << error.toStdString();
        EXPECT_EQ(contentOf(target), earlier[type]);
    }
    EXPECT_EQ(entriesOf(disk.path()), (QStringList{u".filler"_s, u"000.bmp"_s, u"000.gif"_s,
                                                   u"000.jpg"_s, u"000.png"_s, u"000.tif"_s}));
}
