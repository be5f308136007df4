// The settings window over settings files it did not write, and over disks that refuse it.
#include "SettingsWindowRig.h"
#include "support/ScratchMount.h"

#include <QDir>
#include <QImage>
#include <QRandomGenerator>

using namespace tessaly;
using namespace tessaly::settingsrig;

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray garbage(qsizetype size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator random(11);
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

} // namespace

TEST_F(SettingsWindow, OpeningWritesNothingBackAndReadsByTheProfileRules)
{
    const QByteArray longFolder = "/srv/" + QByteArray(300, 'f') + "/";
    const QByteArray original = "\xEF\xBB\xBF; written by hand\r\n[Main]\r\nSAVELOCATION = " +
                                longFolder + "\r\nsavetype=.gif\r\nSaveType=.bmp\r\n"
                                "enablewatermark=1\r\nsilent=1\r\n[other]\r\nkeep=me\r\n";
    writeAll(settingsFile(), original);
    const auto window = open();
    // The read is cut at 254 characters, the first of two equal keys counts, names ignore
    // case; and none of it is written back, so the long value stays whole in the file.
    EXPECT_EQ(window->saveLocation(), QString::fromLatin1(longFolder.left(254)));
    EXPECT_EQ(window->saveType(), QStringLiteral(".gif"));
    EXPECT_EQ(window->watermarkSwitch(), 1);
    EXPECT_EQ(window->silentSwitch(), 1);
    EXPECT_EQ(readAll(settingsFile()), original);

    // An edit changes its own value only: the mark, the line endings, the comment, the
    // second key and the other section stay.
    child<QCheckBox>(*window, "Check1")->click();
    QByteArray expected = original;
    expected.replace("silent=1", "silent=0");
    EXPECT_EQ(readAll(settingsFile()), expected);
}

TEST_F(SettingsWindow, FilesThatAreNoProfileOpenWithTheDefaultsAndKeepTheirBytes)
{
    QByteArray tenMegabytes;
    while (tenMegabytes.size() < 10 * 1024 * 1024)
        tenMegabytes += "a line that is no setting at all, ";
    const QList<QByteArray> contents{QByteArray(), garbage(4096), tenMegabytes,
                                     "\xEF\xBB\xBF", "[main]"};
    for (const QByteArray &content : contents) {
        SCOPED_TRACE(content.size());
        writeAll(settingsFile(), content);
        const auto window = open();
        EXPECT_EQ(window->saveLocation(), QString());
        EXPECT_EQ(window->saveType(), QStringLiteral(".png"));
        EXPECT_EQ(window->watermarkSwitch(), 0);
        EXPECT_EQ(readAll(settingsFile()), content);

        child<QLineEdit>(*window, "Text1")->setText(QStringLiteral("/srv/shots/"));
        const QByteArray written = readAll(settingsFile());
        EXPECT_TRUE(written.startsWith(content));
        EXPECT_TRUE(written.contains("savelocation=/srv/shots/"));
        SettingsStore fresh(SettingsLocation(dir.path(), dir.file(QStringLiteral("config"))));
        EXPECT_EQ(fresh.saveLocation(), QStringLiteral("/srv/shots/"));
    }
}

TEST(SettingsWindowOnADisk, AFullOrReadOnlyDiskIsReportedOnceAndTheFileKeepsItsValues)
{
    ScratchMount disk(256 * 1024);
    if (!disk.usable())
        GTEST_SKIP() << disk.skipReason().toStdString();
    SettingsStore store(SettingsLocation(disk.path(), disk.file(QStringLiteral("config"))));
    ASSERT_TRUE(store.location().usesProgramFolder());
    // Enough lines that a rewrite needs more room than the filled disk has.
    QByteArray original = "[main]\nsavelocation=/srv/old/\n";
    while (original.size() < 16 * 1024)
        original += "; a line kept for the user\n";
    writeAll(store.settingsFile(), original);
    ASSERT_TRUE(disk.fill());

    FrmMain window(store);
    window.show();
    QString said;
    {
        MessageWatcher watcher;
        window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("/srv/new/"));
        said = watcher.text();
    }
    EXPECT_TRUE(said.contains(QStringLiteral("could not be saved"))) << said.toStdString();
    EXPECT_TRUE(said.contains(store.settingsFile())) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("No space left on device"))) << said.toStdString();
    EXPECT_EQ(readAll(store.settingsFile()), original);

    ASSERT_TRUE(QFile::remove(disk.file(QStringLiteral(".filler"))));
    ASSERT_TRUE(disk.remount(ScratchMount::Mode::ReadOnly));
    const WriteResult refused = store.setSaveLocation(QStringLiteral("/srv/third/"));
    EXPECT_FALSE(refused.ok());
    // The replacement file is refused before it is made: the file is said to be unwritable.
    EXPECT_TRUE(refused.error().contains(QStringLiteral("Read-only file system")) ||
                refused.error().contains(QStringLiteral("not writable")))
        << refused.error().toStdString();
    EXPECT_EQ(readAll(store.settingsFile()), original);
    EXPECT_EQ(filesIn(disk.path()), QStringList{QStringLiteral("settings.ini")});
}

TEST(SettingsWindowOnADisk, AWatermarkCopyThatDoesNotFitKeepsTheEarlierCopyWhole)
{
    ScratchMount disk(512 * 1024);
    if (!disk.usable())
        GTEST_SKIP() << disk.skipReason().toStdString();
    TempDir elsewhere;
    SettingsStore store(SettingsLocation(disk.path(), disk.file(QStringLiteral("config"))));
    QImage small(20, 10, QImage::Format_RGB32);
    small.fill(Qt::darkGreen);
    ASSERT_TRUE(small.save(store.watermarkFile(), "BMP"));
    const QByteArray earlier = readAll(store.watermarkFile());
    const QString big = elsewhere.file(QStringLiteral("big.bmp"));
    ASSERT_TRUE(QImage(400, 300, QImage::Format_RGB32).save(big, "BMP")); // 360 KB
    ASSERT_TRUE(disk.fill(64 * 1024));

    FrmMain window(store);
    window.setWatermarkPicker([&big](OpenImage &) { return big; });
    QString said;
    {
        MessageWatcher watcher;
        window.Command3_Click();
        said = watcher.text();
    }
    EXPECT_TRUE(said.contains(QStringLiteral("could not be copied"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("No space left on device"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("loaded before is kept"))) << said.toStdString();
    EXPECT_EQ(readAll(store.watermarkFile()), earlier);
    EXPECT_EQ(filesIn(disk.path()),
              (QStringList{QStringLiteral(".filler"), QStringLiteral("watermark.bmp")}));

    // With room again the same choice is copied exactly.
    ASSERT_TRUE(QFile::remove(disk.file(QStringLiteral(".filler"))));
    window.Command3_Click();
    EXPECT_EQ(readAll(store.watermarkFile()), readAll(big));
}

TEST_F(SettingsWindow, AChosenWatermarkThatCannotBeReadOrIsNoWholePictureIsSaid)
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(store.watermarkFile(), "BMP"));
    const QByteArray earlier = readAll(store.watermarkFile());

    const QString cut = dir.file(QStringLiteral("cut.bmp"));
    QImage(64, 64, QImage::Format_RGB32).save(cut, "BMP");
    QFile cutFile(cut);
    ASSERT_TRUE(cutFile.resize(cutFile.size() / 2));
    // A header that promises 20,000 x 20,000 pixels and little behind it.
    const QString huge = dir.file(QStringLiteral("huge.bmp"));
    {
        QImage seed(8, 8, QImage::Format_RGB32);
        seed.save(huge, "BMP");
        QByteArray bytes = readAll(huge);
        const qint32 side = 20000;
        memcpy(bytes.data() + 18, &side, 4);
        memcpy(bytes.data() + 22, &side, 4);
        writeAll(huge, bytes);
    }
    // Sparse: 300 MB long, nothing of it on the disk.
    const QString vast = dir.file(QStringLiteral("vast.bmp"));
    {
        QFile file(vast);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(300LL * 1024 * 1024));
    }
    const QString folder = dir.file(QStringLiteral("a folder.bmp"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QList<std::pair<QString, QString>> cases{
        {cut, QStringLiteral("cannot be used as a watermark")},
        {huge, QStringLiteral("cannot be used as a watermark")},
        {vast, QStringLiteral("larger than 256 MB")},
        {folder, QStringLiteral("cannot be read")},
        {dir.file(QStringLiteral("missing.bmp")), QStringLiteral("cannot be read")},
    };
    const auto window = open();
    for (const auto &[chosen, message] : cases) {
        SCOPED_TRACE(chosen.toStdString());
        window->setWatermarkPicker([chosen](OpenImage &) { return chosen; });
        MessageWatcher watcher;
        window->Command3_Click();
        EXPECT_TRUE(watcher.text().contains(message)) << watcher.text().toStdString();
        EXPECT_TRUE(watcher.text().contains(chosen)) << watcher.text().toStdString();
        EXPECT_EQ(readAll(store.watermarkFile()), earlier);
    }
}

TEST(SettingsWindowOnADisk, AProgramFolderWithSpacesAndLettersBeyondAsciiHoldsBothFiles)
{
    TempDir dir;
    const QString folder = dir.file(QStringLiteral("Mes réglages ü 設定"));
    ASSERT_TRUE(QDir().mkpath(folder));
    SettingsStore store(SettingsLocation(folder, dir.file(QStringLiteral("config"))));
    ASSERT_TRUE(store.location().usesProgramFolder());
    const QString chosen = dir.file(QStringLiteral("mark ä.bmp"));
    QImage mark(12, 6, QImage::Format_RGB32);
    mark.fill(Qt::cyan);
    ASSERT_TRUE(mark.save(chosen, "BMP"));
    {
        FrmMain window(store);
        window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(folder + QStringLiteral("/é/"));
        window.setWatermarkPicker([&chosen](OpenImage &) { return chosen; });
        window.Command3_Click();
    }
    EXPECT_EQ(readAll(QDir(folder).filePath(QStringLiteral("watermark.bmp"))), readAll(chosen));
    SettingsStore fresh(SettingsLocation(folder, dir.file(QStringLiteral("config"))));
    EXPECT_EQ(fresh.saveLocation(), folder + QStringLiteral("/é/"));
    EXPECT_EQ(filesIn(folder),
              (QStringList{QStringLiteral("settings.ini"), QStringLiteral("watermark.bmp")}));
}
