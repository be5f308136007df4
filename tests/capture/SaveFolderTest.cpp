// Captures into save folders that refuse them: full, read-only, deleted meanwhile; and
// folders whose names have spaces and letters beyond ASCII.
#include "CaptureRig.h"
#include "capture/BuiltInPictures.h"
#include "support/ScratchMount.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

/// The capture failed, naming the file it meant to write and the system's reason, wrote
/// nothing and counted nothing; then a capture into a good folder works.
void expectRefusedThenRecovered(CaptureRig &rig, const QString &folder, const QString &reason,
                                const QStringList &filesBefore)
{
    const std::int32_t count = rig.host->CaptureCount();
    const CaptureRig::Outcome refused = rig.run();
    const QString failure = refused.failed.join(u'\n');
    EXPECT_TRUE(refused.saved.isEmpty());
    EXPECT_TRUE(failure.contains(folder)) << failure.toStdString();
    EXPECT_TRUE(failure.contains(reason)) << failure.toStdString();
    EXPECT_EQ(rig.host->CaptureCount(), count);
    EXPECT_EQ(filesIn(folder), filesBefore);

    const QString good = rig.dir.file(u"good"_s);
    ASSERT_TRUE(QDir().mkpath(good));
    rig.settings.setSaveLocation(good + u"/"_s);
    const CaptureRig::Outcome next = rig.run();
    ASSERT_EQ(next.saved.size(), 1) << next.failed.join(u'\n').toStdString();
    EXPECT_FALSE(QImageReader(next.saved.constFirst()).read().isNull());
    EXPECT_EQ(rig.host->CaptureCount(), count + 1);
}

} // namespace

TEST(SaveFolder, AFullOrReadOnlyDiskIsReportedAndKeepsTheEarlierCapture)
{
    ScratchMount disk(1024 * 1024);
    if (!disk.usable())
        GTEST_SKIP() << disk.skipReason().toStdString();
    for (const QString &type : {u".bmp"_s, u".gif"_s, u".jpg"_s, u".png"_s, u".tif"_s}) {
        SCOPED_TRACE(type.toStdString());
        QFile::remove(disk.file(u".filler"_s));
        CaptureRig rig(10);
        rig.settings.setSaveLocation(disk.path() + u"/"_s);
        rig.settings.setSaveType(type);
        const QStringList first = rig.run().saved;
        ASSERT_EQ(first.size(), 1);
        const QByteArray earlier = contentOf(first.constFirst());
        ASSERT_TRUE(disk.fill());
        expectRefusedThenRecovered(rig, disk.path(), u"No space left on device"_s,
                                   filesIn(disk.path()));
        EXPECT_EQ(contentOf(first.constFirst()), earlier);
        QFile::remove(first.constFirst());
    }

    SCOPED_TRACE("read-only");
    QFile::remove(disk.file(u".filler"_s));
    CaptureRig rig(10);
    rig.settings.setSaveLocation(disk.path() + u"/"_s);
    ASSERT_EQ(rig.run().saved.size(), 1);
    ASSERT_TRUE(disk.remount(ScratchMount::Mode::ReadOnly));
    expectRefusedThenRecovered(rig, disk.path(), u"Read-only file system"_s, QStringList{u"000.png"_s});
}

TEST(SaveFolder, AFolderDeletedWhileTheWindowIsOpenIsReported)
{
    CaptureRig rig(10);
    const QString folder = rig.dir.file(u"shots"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    rig.settings.setSaveLocation(folder + u"/"_s);
    ASSERT_EQ(rig.run().saved.size(), 1);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    expectRefusedThenRecovered(rig, folder, u"No such file or directory"_s, QStringList());
    EXPECT_FALSE(QFileInfo::exists(folder)); // not made again behind the user's back
}

TEST(SaveFolder, SpacesAndLettersBeyondAsciiAreKeptInTheName)
{
    CaptureRig rig(10);
    const QString folder = rig.dir.file(u"Mes captures d’écran/Снимки 写真"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    rig.settings.setSaveLocation(folder + u"/"_s);
    EXPECT_EQ(rig.run().saved, QStringList{folder + u"/000.png"_s});
    EXPECT_FALSE(QImageReader(folder + u"/000.png"_s).read().isNull());
}

TEST(WatermarkCopy, ACopyThatIsCutNoBitmapOrHugeLeavesTheGreyDefault)
{
    TempDir dir;
    const QString cut = dir.file(u"cut.bmp"_s);
    QImage(64, 64, QImage::Format_RGB32).save(cut, "BMP");
    QFile(cut).resize(QFileInfo(cut).size() / 2);

    const QString junk = dir.file(u"junk.bmp"_s);
    QFile junkFile(junk);
    ASSERT_TRUE(junkFile.open(QIODevice::WriteOnly));
    junkFile.write("this is no bitmap at all");
    junkFile.close();

    // A whole, well-formed 20,000 x 20,000 bitmap, run-length coded so that the file stays
    // a few megabytes: every row is runs of one palette entry.
    const QString huge = dir.file(u"huge.bmp"_s);
    {
        constexpr qint32 Side = 20000;
        QByteArray rows;
        for (int y = 0; y < Side; ++y) {
            for (int left = Side; left > 0; left -= 255)
                rows += char(std::min(left, 255)) + QByteArray(1, '\1');
            rows += QByteArray("\0\0", 2); // end of row
        }
        rows += QByteArray("\0\1", 2); // end of bitmap
        QByteArray header(54 + 256 * 4, '\0');
        const auto put32 = [&header](int at, quint32 value) {
            for (int i = 0; i < 4; ++i)
                header[at + i] = char((value >> (8 * i)) & 0xff);
        };
        header[0] = 'B';
        header[1] = 'M';
        put32(2, quint32(header.size() + rows.size()));
        put32(10, quint32(header.size()));
        put32(14, 40);
        put32(18, Side);
        put32(22, Side);
        header[26] = 1;  // planes
        header[28] = 8;  // bits per pixel
        put32(30, 1);    // run-length, 8 bits
        put32(34, quint32(rows.size()));
        put32(46, 256);
        put32(54 + 4, 0x00ff0000); // entry 1: red
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(header + rows);
    }

    const QImage grey = BuiltInPictures::defaultWatermark().image();
    for (const QString &path : {cut, junk, huge, dir.file(u"missing.bmp"_s)}) {
        SCOPED_TRACE(path.toStdString());
        CaptureRig rig(10);
        const Result<void> loaded = rig.host->loadWatermark(path);
        EXPECT_FALSE(loaded);
        EXPECT_FALSE(loaded.error().isEmpty());
        EXPECT_EQ(rig.host->picWatermark1().picture().image(), grey);
    }
}
