#include "imagefile/SaveBitmapAs.h"
#include "imagefile/BuiltInEncoders.h"

#include "FakeEncoder.h"
#include "SamplePictures.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <QFileInfo>

#include <map>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;

namespace {

const EncoderId FakeId = QUuid::fromString(u"{9b6f3a52-0d1e-4c47-8f0a-5c3e2b7d1a90}"_s);
const EncoderId OtherId = QUuid::fromString(u"{1f2e3d4c-5b6a-4978-8695-a4b3c2d1e0f9}"_s);

Picture smallPicture()
{
    return Picture(SamplePictures::webPage(64, 48));
}

} // namespace

TEST(SaveBitmapAsLifecycle, SavesOnlyWhileTheLibraryRuns)
{
    TempDir dir;
    SaveBitmapAs writer;
    EXPECT_FALSE(writer.StartGdiplus(2)); // an unknown version does not start
    EXPECT_FALSE(writer.started());
    EXPECT_FALSE(writer.SaveImageFile(smallPicture(), dir.file(u"before.png"_s)));

    EXPECT_TRUE(writer.StartGdiplus(1));
    EXPECT_TRUE(writer.SaveImageFile(smallPicture(), dir.file(u"during.png"_s)));

    writer.StopGdiplus();
    EXPECT_TRUE(writer.started()); // the flag is not cleared by a shutdown
    EXPECT_FALSE(writer.SaveImageFile(smallPicture(), dir.file(u"after.png"_s)));
    EncoderId id;
    EXPECT_FALSE(writer.FindEncoderClsid(u"image/png"_s, id));

    EXPECT_TRUE(writer.StartGdiplus(1));
    EXPECT_TRUE(writer.SaveImageFile(smallPicture(), dir.file(u"again.png"_s)));
    EXPECT_EQ(entriesOf(dir.path()), (QStringList{u"again.png"_s, u"during.png"_s}));
}

TEST(SaveBitmapAsExtensions, LastFourCharactersLowerCasedPickTheType)
{
    const std::pair<QString, QString> cases[] = {
        {u"a.png"_s, u"image/png"_s},  {u"a.gif"_s, u"image/gif"_s},
        {u"a.jpg"_s, u"image/jpeg"_s}, {u"a.tif"_s, u"image/tiff"_s},
        {u"a.bmp"_s, u"image/bmp"_s},  {u"SHOT.PNG"_s, u"image/png"_s},
        {u".Bmp"_s, u"image/bmp"_s},   {u"shot.jpeg"_s, {}},
        {u"shot.tiff"_s, {}},          {u"png"_s, {}},
        {u"shot.png "_s, {}},          {QString(), {}}};
    for (const auto &[name, mime] : cases)
        EXPECT_EQ(SaveBitmapAs::mimeTypeForFileName(name), mime) << name.toStdString();
}

TEST(SaveBitmapAsEncoders, MimeTypesMatchWithoutRegardToCaseInListOrder)
{
    TempDir dir;
    SaveBitmapAs writer(EncoderList{std::make_shared<FakeEncoder>(u"IMAGE/PNG"_s, FakeId),
                                    std::make_shared<FakeEncoder>(u"image/png"_s, OtherId)});
    EncoderId id;
    EXPECT_FALSE(writer.FindEncoderClsid(u"image/png"_s, id)); // not started yet
    ASSERT_TRUE(writer.StartGdiplus(1));

    EXPECT_TRUE(writer.FindEncoderClsid(u"image/png"_s, id));
    EXPECT_EQ(id, FakeId);

    const EncoderId untouched = QUuid::fromString(u"{00000000-0000-0000-0000-000000000001}"_s);
    id = untouched;
    EXPECT_FALSE(writer.FindEncoderClsid(u"image/gif"_s, id));
    EXPECT_EQ(id, untouched);

    ASSERT_TRUE(writer.SaveImageFile(smallPicture(), dir.file(u"shot.png"_s)));
    EXPECT_EQ(contentOf(dir.file(u"shot.png"_s)), FakeEncoder::content());

    // A type with no encoder in the list is not written.
    const QString gif = dir.file(u"shot.gif"_s);
    EXPECT_TRUE(writer.SaveImageFile(smallPicture(), gif).error().contains(u"image/gif"_s));
    EXPECT_FALSE(QFileInfo::exists(gif));
}

TEST(SaveBitmapAsFailures, FailuresLeaveNothingBehind)
{
    TempDir dir;
    SaveBitmapAs writer;
    ASSERT_TRUE(writer.StartGdiplus(1));
    // The file it meant to write and the system's reason.
    const QString missingFolder = dir.file(u"missing/shot.png"_s);
    const QString error = writer.SaveImageFile(smallPicture(), missingFolder).error();
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(missingFolder)) &&
                error.contains(u"No such file or directory"_s))
        << error.toStdString();

    EXPECT_FALSE(writer.SaveImageFile(Picture(), dir.file(u"empty.png"_s)));

    const Picture tall(QImage(2, 65501, QImage::Format_RGB32));
    EXPECT_EQ(writer.SaveImageFile(tall, dir.file(u"tall.jpg"_s)).error(),
              u"The image is 2 x 65501 pixels; JPEG files hold at most 65,500 pixels a side"_s);

    EXPECT_TRUE(entriesOf(dir.path()).isEmpty());
}

TEST(SaveBitmapAsLimits, EachFormatRefusesWhatItCannotHold)
{
    // BMP and TIFF are limited by their 32-bit file offsets (24 bits a pixel): 4 GB.
    const std::tuple<QString, QSize, bool> cases[] = {
        {u"image/jpeg"_s, {65500, 65500}, true}, {u"image/jpeg"_s, {1280, 65501}, false},
        {u"image/jpeg"_s, {65501, 10}, false},   {u"image/gif"_s, {65535, 65535}, true},
        {u"image/png"_s, {1280, 1000000}, true}, {u"image/png"_s, {1280, 1000001}, false},
        {u"image/bmp"_s, {20000, 71500}, true},  {u"image/bmp"_s, {20000, 71600}, false},
        {u"image/tiff"_s, {30000, 47500}, true}, {u"image/tiff"_s, {30000, 47800}, false}};
    std::map<QString, std::shared_ptr<const ImageEncoder>> byType;
    for (const auto &encoder : builtInEncoders())
        byType[encoder->mimeType()] = encoder;
    ASSERT_EQ(byType.size(), 5u);
    for (const auto &[mime, size, fits] : cases)
        EXPECT_EQ(byType[mime]->checkSize(size).ok(), fits)
            << mime.toStdString() << " " << size.width() << "x" << size.height();
    EXPECT_EQ(byType[u"image/gif"_s]->checkSize({1280, 70000}).error(),
              u"The image is 1280 x 70000 pixels; GIF files hold at most 65,535 pixels a side"_s);
}
