#include "imagefile/QueuedImageFile.h"
#include "imagefile/SaveBitmapAs.h"

#include "FakeEncoder.h"
#include "SamplePictures.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <algorithm>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<QueuedImageFile> opened(SaveBitmapAs &writer, const QString &name)
{
    Result<std::unique_ptr<ImageFileStream>> stream = writer.OpenImageFile(name, 5);
    EXPECT_TRUE(stream) << stream.error().toStdString();
    return stream ? std::make_unique<QueuedImageFile>(std::move(*stream)) : nullptr;
}

} // namespace

TEST(QueuedImageFile, RowsArriveInOrderAndAFileGivenUpLeavesNothing)
{
    TempDir dir;
    SaveBitmapAs writer;
    ASSERT_TRUE(writer.StartGdiplus(1));
    const QString name = dir.file(u"page.png"_s);
    auto file = opened(writer, name);
    ASSERT_TRUE(file);
    // More blocks than the queue holds, so that the caller has to wait for the writer.
    const QImage picture = SamplePictures::rowsAndColumns(5, 300);
    for (int y = 0, block = 0; y < picture.height(); ++block) {
        const int count = std::min(1 + block % 7, picture.height() - y);
        ASSERT_TRUE(file->addRows(picture.copy(0, y, 5, count)));
        y += count;
    }
    ASSERT_TRUE(file->commit());
    file.reset();
    EXPECT_TRUE(readWithQt(name) == picture);

    auto unfinished = opened(writer, dir.file(u"dropped.png"_s));
    ASSERT_TRUE(unfinished->addRows(SamplePictures::rowsAndColumns(5, 3)));
    unfinished.reset();
    EXPECT_EQ(entriesOf(dir.path()), QStringList{u"page.png"_s});
}

// An encoder that gives up halfway over an earlier file: its reason reaches the caller from
// the writer's thread, and the earlier file is kept whole.
TEST(QueuedImageFile, AFailureOnTheWritersThreadReachesTheCallerAndKeepsTheEarlierFile)
{
    TempDir dir;
    const QString target = dir.file(u"000.png"_s);
    const QByteArray old = QByteArray(5000, 'o') + "end of the old file";
    writeFile(target, old);
    SaveBitmapAs writer({std::make_shared<FakeEncoder>(u"image/png"_s, QUuid::createUuid(), true)});
    ASSERT_TRUE(writer.StartGdiplus(1));
    auto file = opened(writer, target);
    ASSERT_TRUE(file->addRows(SamplePictures::rowsAndColumns(5, 4)));
    const Result<void> committed = file->commit();
    EXPECT_TRUE(committed.error().contains(u"gave up halfway"_s))
        << committed.error().toStdString();
    EXPECT_EQ(contentOf(target), old);
    EXPECT_EQ(entriesOf(dir.path()), QStringList{u"000.png"_s});
}
