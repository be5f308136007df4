#include "imagefile/ColourQuantiser.h"
#include "imagefile/SaveBitmapAs.h"

#include "SamplePictures.h"
#include "support/TempDir.h"

#include <QImageWriter>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;

namespace {

class RoundTrip : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(m_dir.file(Folder)));
        ASSERT_TRUE(m_writer.StartGdiplus(1));
    }

    // Spaces and letters from outside ASCII: the file lands in the folder as named.
    const QString Folder = u"Bildschirm Fotos ä ø 写真/"_s;
    TempDir m_dir;
    SaveBitmapAs m_writer;
};

} // namespace

TEST_F(RoundTrip, LosslessFormatsKeepEveryRowAndTheOthersStayClose)
{
    // BMP, PNG and TIFF taller than 16-bit heights are streamed, narrow to stay quick; every
    // row differs from its neighbours. The page is saved whole: GIF holds the very pixels of
    // the quantised page, JPEG at Qt's default quality (75) stays close on text and grain.
    const QImage tall = SamplePictures::rowsAndColumns(12, 70001);
    const QImage page = SamplePictures::webPage(320, 480);
    const QImage quantised = ColourQuantiser().quantise(page).convertToFormat(QImage::Format_RGB32);
    const std::tuple<QString, QByteArray, const QImage &, const QImage &> cases[] = {
        {u"tall.bmp"_s, "bmp", tall, tall},
        {u"tall.png"_s, "png", tall, tall},
        {u"tall.tif"_s, "tiff", tall, tall},
        {u"page.jpg"_s, "jpeg", page, page},
        {u"page.gif"_s, "gif", page, quantised}};
    for (const auto &[name, expectedFormat, picture, expected] : cases) {
        SCOPED_TRACE(name.toStdString());
        const QString path = m_dir.file(Folder + name);
        const Result<void> saved = name.startsWith(u"tall"_s)
                                       ? streamInBlocks(m_writer, picture, path)
                                       : m_writer.SaveImageFile(Picture(picture), path);
        ASSERT_TRUE(saved) << saved.error().toStdString();
        QByteArray format;
        const QImage decoded = readWithQt(path, &format);
        EXPECT_EQ(format, expectedFormat);
        ASSERT_EQ(decoded.size(), expected.size());
        if (expectedFormat == "jpeg")
            EXPECT_LT(channelError(decoded, expected).mean, 4.0);
        else
            EXPECT_TRUE(decoded == expected);
    }
}

TEST_F(RoundTrip, StreamedJpegDecodesAsQtsOwnFileOfThePicture)
{
    // The end of the picture falls inside a row of blocks, on one's edge, and at the limit,
    // where the last row of blocks runs past the height libjpeg was first given; at the
    // default quality and at a high and a low one.
    const std::pair<int, int> cases[] = {{1005, 0}, {1008, 90}, {1008, 10},
                                         {1014, 0}, {65490, 0}, {65500, 0}};
    for (const auto &[height, quality] : cases) {
        SCOPED_TRACE(height);
        const QImage picture = SamplePictures::rowsAndColumns(16, height);
        const QString ours = m_dir.file(Folder + u"ours.jpg"_s);
        const QString qts = m_dir.file(Folder + u"qts.jpg"_s);
        m_writer.setQuality(quality);
        const Result<void> saved = streamInBlocks(m_writer, picture, ours);
        ASSERT_TRUE(saved) << saved.error().toStdString();
        QImageWriter qtWriter(qts, "jpeg");
        if (quality > 0)
            qtWriter.setQuality(quality);
        ASSERT_TRUE(qtWriter.write(picture));

        const QImage decoded = readWithQt(ours);
        const QImage theirs = readWithQt(qts);
        ASSERT_EQ(decoded.size(), picture.size());
        // The same pixels down to the last row of 16-row blocks and the row whose smoothing
        // reaches into it. Below an even height libjpeg fills that row of blocks from the
        // last two rows, the stream from the last one: a few levels apart there.
        const QRect same(0, 0, 16, (height - 1) / 16 * 16 - 1);
        EXPECT_EQ(channelError(decoded.copy(same), theirs.copy(same)).max, 0);
        EXPECT_LE(channelError(decoded, theirs).max, 2);
    }
}
