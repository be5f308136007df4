#include "imagefile/ColourQuantiser.h"
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
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(m_dir.file(Folder)));
        ASSERT_TRUE(m_writer.StartGdiplus(1));
    }
    void TearDown() override { m_writer.StopGdiplus(); }

    // Writes the picture under `name` and reads it back: GIF with giflib, the rest with Qt.
    QImage writeAndRead(const QImage &image, const QString &name, QByteArray *format)
    {
        const QString path = m_dir.file(Folder + name);
        const Result<void> saved = m_writer.SaveImageFile(Picture(image), path);
        EXPECT_TRUE(saved) << saved.error().toStdString();
        const QImage qtRead = IndependentDecoder::readWithQt(path, format);
        return name.endsWith(u".gif"_s) ? IndependentDecoder::readGif(path) : qtRead;
    }

    // Spaces and letters from outside ASCII: the file lands in the folder as named.
    const QString Folder = u"Bildschirm Fotos ä ø 写真/"_s;
    TempDir m_dir;
    SaveBitmapAs m_writer;
    const QImage m_page = SamplePictures::webPage(320, 480);
};

} // namespace

TEST_F(RoundTrip, LosslessFormatsKeepEveryPixelAndTheOthersStayClose)
{
    // JPEG at Qt's default quality (75) on text and grain; GIF holds the very pixels of the
    // quantised picture, which stays close to the page.
    const QImage quantised =
        ColourQuantiser().quantise(m_page).convertToFormat(QImage::Format_RGB32);
    ASSERT_LT(IndependentDecoder::meanChannelError(quantised, m_page), 2.5);
    const std::tuple<QString, QByteArray, double> cases[] = {{u"000.bmp"_s, "bmp", 0.0},
                                                             {u"000.png"_s, "png", 0.0},
                                                             {u"000.tif"_s, "tiff", 0.0},
                                                             {u"000.jpg"_s, "jpeg", 4.0},
                                                             {u"000.gif"_s, "gif", 0.0}};
    for (const auto &[name, expectedFormat, maxError] : cases) {
        SCOPED_TRACE(name.toStdString());
        QByteArray format;
        const QImage decoded = writeAndRead(m_page, name, &format);
        EXPECT_EQ(format, expectedFormat);
        ASSERT_EQ(decoded.size(), m_page.size());
        if (maxError == 0.0)
            EXPECT_TRUE(decoded == (expectedFormat == "gif" ? quantised : m_page));
        else
            EXPECT_LT(IndependentDecoder::meanChannelError(decoded, m_page), maxError);
    }
}

TEST_F(RoundTrip, JpegQualityTradesSizeForFidelityAndLeavesLosslessFormatsAlone)
{
    const auto write = [this](const QString &name, int quality) {
        m_writer.setQuality(quality);
        const QImage decoded = writeAndRead(m_page, name, nullptr);
        return std::pair{QFileInfo(m_dir.file(Folder + name)).size(), decoded};
    };
    const auto [smallSize, small] = write(u"low.jpg"_s, 10);
    const auto [largeSize, large] = write(u"high.jpg"_s, 95);
    EXPECT_LT(smallSize, largeSize);
    ASSERT_EQ(small.size(), m_page.size());
    ASSERT_EQ(large.size(), m_page.size());
    EXPECT_LT(IndependentDecoder::meanChannelError(large, m_page),
              IndependentDecoder::meanChannelError(small, m_page));

    // A quality means nothing to PNG: the file is still the very picture.
    EXPECT_TRUE(write(u"any.png"_s, 10).second == m_page);
}

TEST_F(RoundTrip, TallPicturesComeBackWhole)
{
    const QImage tall = SamplePictures::rowsAndColumns(200, 70000);
    const QImage decoded = writeAndRead(tall, u"tall.png"_s, nullptr);
    ASSERT_EQ(decoded.size(), tall.size());
    EXPECT_TRUE(decoded == tall);
}
