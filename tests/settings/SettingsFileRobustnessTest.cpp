// The settings window over settings files it did not write, and over disks that refuse it.
#include "SettingsWindowRig.h"
#include "support/ScratchMount.h"

using namespace tessaly;
using namespace tessaly::settingsrig;
using settingsfiles::entriesOf;
using settingsfiles::garbage;

TEST_F(SettingsWindow, OpeningWritesNothingBackAndReadsByTheProfileRules)
{
    const QByteArray longFolder = "/srv/" + QByteArray(300, 'f') + "/";
    const QByteArray original = "\xEF\xBB\xBF; written by hand\r\n[Main]\r\nSAVELOCATION = " +
                                longFolder + "\r\nsavetype=.gif\r\nSaveType=.bmp\r\n"
                                "enablewatermark=1\r\nsilent=1\r\n[other]\r\nkeep=me\r\n";
    writeFile(settingsFile(), original);
    const auto window = open();
    // Cut at 254 characters, first of equal keys, any case; nothing is written back.
    EXPECT_EQ(window->saveLocation(), QString::fromLatin1(longFolder.left(254)));
    EXPECT_EQ(window->saveType(), QStringLiteral(".gif"));
    EXPECT_EQ(window->watermarkSwitch(), 1);
    EXPECT_EQ(window->silentSwitch(), 1);
    EXPECT_EQ(contentOf(settingsFile()), original);

    // An edit changes its own value only.
    child<QCheckBox>(*window, "Check1")->click();
    QByteArray expected = original;
    expected.replace("silent=1", "silent=0");
    EXPECT_EQ(contentOf(settingsFile()), expected);
}

TEST_F(SettingsWindow, FilesThatAreNoProfileOpenWithTheDefaultsAndKeepTheirBytes)
{
    // Large files are kept whole by IniFileTest; the last: a check value that is no number leaves the box as it starts.
    const QList<QByteArray> contents{QByteArray(), garbage(4096, 11),
                                     "\xEF\xBB\xBF", "[main]", "[MAIN]\r\nsilent=yes\r\n"};
    for (const QByteArray &content : contents) {
        SCOPED_TRACE(content.size());
        writeFile(settingsFile(), content);
        const auto window = open();
        EXPECT_EQ(window->saveLocation(), QString());
        EXPECT_EQ(window->saveType(), QStringLiteral(".png"));
        EXPECT_EQ(window->watermarkSwitch(), 0);
        EXPECT_EQ(window->silentSwitch(), 0);
        EXPECT_EQ(contentOf(settingsFile()), content);

        child<QLineEdit>(*window, "Text1")->setText(QStringLiteral("/srv/shots/"));
        const QByteArray written = contentOf(settingsFile());
        EXPECT_TRUE(written.startsWith(content));
        EXPECT_TRUE(written.contains("savelocation=/srv/shots/"));
        EXPECT_EQ(SettingsStore(location()).saveLocation(), QStringLiteral("/srv/shots/"));
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
    writeFile(store.settingsFile(), original);
    ASSERT_TRUE(disk.fill());

    FrmMain window(store);
    window.show();
    const QString said = messageFrom([&window] {
        window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("/srv/new/"));
    });
    for (const QString &part : {QStringLiteral("could not be saved"), store.settingsFile(),
                                QStringLiteral("No space left on device")})
        EXPECT_TRUE(said.contains(part)) << said.toStdString();
    // The next keystroke fails as well, unsaid.
    EXPECT_EQ(messageFrom([&window] {
                  window.findChild<QLineEdit *>(QStringLiteral("Text1"))
                      ->setText(QStringLiteral("/srv/newer/"));
              }),
              QString());
    EXPECT_EQ(contentOf(store.settingsFile()), original);

    ASSERT_TRUE(QFile::remove(disk.file(QStringLiteral(".filler"))));
    ASSERT_TRUE(disk.remount(ScratchMount::Mode::ReadOnly));
    const Result<void> refused = store.setSaveLocation(QStringLiteral("/srv/third/"));
    EXPECT_FALSE(refused.ok());
    // Refused before the replacement is made, so the file itself is said to be unwritable.
    EXPECT_TRUE(refused.error().contains(QStringLiteral("Read-only file system")) ||
                refused.error().contains(QStringLiteral("not writable")))
        << refused.error().toStdString();
    EXPECT_EQ(contentOf(store.settingsFile()), original);
    EXPECT_EQ(entriesOf(disk.path()), QStringList{QStringLiteral("settings.ini")});
}

TEST(SettingsWindowOnADisk, AWatermarkCopyThatDoesNotFitKeepsTheEarlierCopyWhole)
{
    ScratchMount disk(512 * 1024);
    if (!disk.usable())
        GTEST_SKIP() << disk.skipReason().toStdString();
    TempDir elsewhere;
    SettingsStore store(SettingsLocation(disk.path(), disk.file(QStringLiteral("config"))));
    const QByteArray earlier = contentOf(bitmap(store.watermarkFile(), 20, 10, qRgb(0, 128, 0)));
    const QString big = bitmap(elsewhere.file(QStringLiteral("big.bmp")), 400, 300); // 360 KB
    ASSERT_TRUE(disk.fill(64 * 1024));

    FrmMain window(store);
    window.setWatermarkPicker([&big](OpenImage &) { return big; });
    const QString said = messageFrom([&window] { window.Command3_Click(); });
    for (const char *part : {"could not be copied", "No space left on device", "loaded before is kept"})
        EXPECT_TRUE(said.contains(QLatin1String(part))) << said.toStdString();
    EXPECT_EQ(contentOf(store.watermarkFile()), earlier);
    EXPECT_EQ(entriesOf(disk.path()),
              (QStringList{QStringLiteral(".filler"), QStringLiteral("watermark.bmp")}));

    // With room again the same choice is copied exactly.
    ASSERT_TRUE(QFile::remove(disk.file(QStringLiteral(".filler"))));
    window.Command3_Click();
    EXPECT_EQ(contentOf(store.watermarkFile()), contentOf(big));
}

TEST_F(SettingsWindow, AChosenWatermarkThatCannotBeReadOrIsNoWholePictureIsSaid)
{
    const QByteArray earlier = contentOf(bitmap(store.watermarkFile(), 20, 10, qRgb(0, 0, 255)));
    const QString cut = bitmap(dir.file(QStringLiteral("cut.bmp")), 64, 64);
    ASSERT_TRUE(QFile::resize(cut, QFileInfo(cut).size() / 2));
    // A header that promises 20,000 x 20,000 pixels and little behind it.
    const QString huge = bitmap(dir.file(QStringLiteral("huge.bmp")), 8, 8);
    QByteArray header = contentOf(huge);
    const qint32 side = 20000;
    memcpy(header.data() + 18, &side, 4);
    memcpy(header.data() + 22, &side, 4);
    writeFile(huge, header);
    // Sparse: 300 MB long, nothing of it on the disk.
    const QString vast = dir.file(QStringLiteral("vast.bmp"));
    writeFile(vast, {});
    ASSERT_TRUE(QFile::resize(vast, 300LL * 1024 * 1024));
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
        const QString said = messageFrom([&] { window->Command3_Click(); });
        EXPECT_TRUE(said.contains(message) && said.contains(chosen)) << said.toStdString();
        EXPECT_EQ(contentOf(store.watermarkFile()), earlier);
    }
}

TEST(SettingsWindowOnADisk, AProgramFolderWithSpacesAndLettersBeyondAsciiHoldsBothFiles)
{
    TempDir dir;
    const QString folder = dir.file(QStringLiteral("Mes réglages ü 設定"));
    ASSERT_TRUE(QDir().mkpath(folder));
    SettingsStore store(SettingsLocation(folder, dir.file(QStringLiteral("config"))));
    ASSERT_TRUE(store.location().usesProgramFolder());
    const QString chosen = bitmap(dir.file(QStringLiteral("mark ä.bmp")), 12, 6, qRgb(0, 255, 255));
    {
        FrmMain window(store);
        window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(folder + QStringLiteral("/é/"));
        window.setWatermarkPicker([&chosen](OpenImage &) { return chosen; });
        window.Command3_Click();
    }
    EXPECT_EQ(contentOf(QDir(folder).filePath(QStringLiteral("watermark.bmp"))), contentOf(chosen));
    SettingsStore fresh(SettingsLocation(folder, dir.file(QStringLiteral("config"))));
    EXPECT_EQ(fresh.saveLocation(), folder + QStringLiteral("/é/"));
    EXPECT_EQ(entriesOf(folder),
              (QStringList{QStringLiteral("settings.ini"), QStringLiteral("watermark.bmp")}));
}
