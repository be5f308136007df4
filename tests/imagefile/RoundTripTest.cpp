#include "imagefile/SaveBitmapAs.h"

#include "../support/TempDir.h"
#include "IndependentDecoder.h"
#include "SamplePictures.h"

#include <QFileInfo>

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

TEST_F(RoundTrip, JpegQualityTradesSizeForFidelityAndLeavesLosslessFormatsAlone)
{
    const auto write = [this](const QString &name, int quality) {
        m_writer.setQuality(quality);
        EXPECT_TRUE(m_writer.SaveImageFile(Picture(m_page), m_dir.file(name)))
            << m_writer.lastError().toStdString();
        QByteArray format;
        return std::pair{QFileInfo(m_dir.file(name)).size(),
                         IndependentDecoder::readWithQt(m_dir.file(name), &format)};
    };
    const auto [smallSize, small] = write(u"low.jpg"_s, 10);
    const auto [largeSize, large] = write(u"high.jpg"_s, 95);
    EXPECT_LT(smallSize, largeSize);
    ASSERT_EQ(small.size(), m_page.size());
    ASSERT_EQ(large.size(), m_page.size());
    EXPECT_LT(IndependentDecoder::meanChannelError(large, m_page),
              IndependentDecoder::meanChannelError(small, m_page));

    // A quality means nothing to PNG: the file is still the very picture.
    const auto [pngSize, png] = write(u"any.png"_s, 10);
    EXPECT_GT(pngSize, 0);
    EXPECT_TRUE(png == m_page);
    m_writer.setQuality(0);
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
