#include "imagefile/SaveBitmapAs.h"

#include "../support/TempDir.h"
#include "IndependentDecoder.h"
#include "SamplePictures.h"

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;

namespace {

class RoundTrip : public ::testing::Test
{
protected:
    void SetUp() override { m_writer.StartGdiplus(1); }
    void TearDown() override { m_writer.StopGdiplus(); }

    // Writes the picture under `name` and reads it back with Qt.
    QImage writeAndRead(const QImage &image, const QString &name, QByteArray *format)
    {
        const QString path = m_dir.file(name);
        EXPECT_TRUE(m_writer.SaveImageFile(Picture(image), path))
            << m_writer.lastError().toStdString();
        return IndependentDecoder::readWithQt(path, format);
    }

    TempDir m_dir;
    SaveBitmapAs m_writer;
    const QImage m_page = SamplePictures::webPage(320, 480);
};

} // namespace

TEST_F(RoundTrip, LosslessFormatsKeepEveryPixel)
{
    const std::pair<QString, QByteArray> cases[] = {
        {u"000.bmp"_s, "bmp"}, {u"000.png"_s, "png"}, {u"000.tif"_s, "tiff"}};
    for (const auto &[name, expectedFormat] : cases) {
        QByteArray format;
        const QImage decoded = writeAndRead(m_page, name, &format);
        EXPECT_EQ(format, expectedFormat);
        ASSERT_EQ(decoded.size(), m_page.size()) << name.toStdString();
        EXPECT_TRUE(decoded == m_page) << name.toStdString();
    }
}

TEST_F(RoundTrip, JpegStaysCloseToThePicture)
{
    QByteArray format;
    const QImage decoded = writeAndRead(m_page, u"000.jpg"_s, &format);
    EXPECT_EQ(format, "jpeg");
    ASSERT_EQ(decoded.size(), m_page.size());
    // Qt's default quality (75) on text and grain.
    EXPECT_LT(IndependentDecoder::meanChannelError(decoded, m_page), 4.0);
}

TEST_F(RoundTrip, GifStaysCloseToThePicture)
{
    const QString path = m_dir.file(u"000.gif"_s);
    ASSERT_TRUE(m_writer.SaveImageFile(Picture(m_page), path));
    const QImage decoded = IndependentDecoder::readGif(path);
    ASSERT_EQ(decoded.size(), m_page.size());
    EXPECT_LT(IndependentDecoder::meanChannelError(decoded, m_page), 2.5);

    // The flat header and the text colour come through exactly.
    EXPECT_EQ(decoded.pixel(300, 10), m_page.pixel(300, 10));
    QByteArray format;
    EXPECT_FALSE(IndependentDecoder::readWithQt(path, &format).isNull());
    EXPECT_EQ(format, "gif");
}

TEST_F(RoundTrip, TallPicturesComeBackWhole)
{
    const QImage tall = SamplePictures::rowsAndColumns(200, 70000);
    QByteArray format;
    const QImage decoded = writeAndRead(tall, u"tall.png"_s, &format);
    EXPECT_EQ(format, "png");
    ASSERT_EQ(decoded.size(), tall.size());
    EXPECT_TRUE(decoded == tall);
}
