// Where the settings file and the watermark copy live; the four settings of section "main",
// the one-time notice of a failed write, and a disk that refuses the file.
#include "settings/SettingsStore.h"
#include "settings/SettingsLocation.h"

#include "SettingsFiles.h"
#include "support/ScratchMount.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

using namespace tessaly;
using namespace settingsfiles;
using namespace Qt::StringLiterals;

TEST(SettingsLocation, AWritableProgramFolderHoldsBothFilesElseTheConfigFolderDoes)
{
    TempDir dir;
    const SettingsLocation writable(dir.path(), dir.file(u"config"_s));
    EXPECT_TRUE(writable.usesProgramFolder());
    EXPECT_EQ(writable.folder(), dir.path());
    EXPECT_EQ(writable.settingsFile(), dir.file(u"settings.ini"_s));
    EXPECT_EQ(writable.watermarkFile(), dir.file(u"watermark.bmp"_s));
    EXPECT_TRUE(entriesOf(dir.path()).isEmpty()); // the probe cleaned up after itself

    // A file where a folder should be stops even the superuser, as permission bits do not.
    writeFile(dir.file(u"opt"_s), "not a folder");
    const QString program = dir.file(u"opt/tessaly"_s);
    const QString config = dir.file(u"home/.config/tessaly"_s);
    EXPECT_FALSE(SettingsLocation::acceptsNewFiles(program));

    const SettingsLocation location(program, config);
    EXPECT_FALSE(location.usesProgramFolder());
    EXPECT_EQ(location.settingsFile(), config + u"/settings.ini"_s);
    EXPECT_EQ(location.watermarkFile(), config + u"/watermark.bmp"_s);

    // The store makes the config folder and writes there, without a failure.
    SettingsStore store(location);
    EXPECT_TRUE(store.setSaveType(u".gif"_s));
    EXPECT_EQ(contentOf(config + u"/settings.ini"_s), "[main]\nsavetype=.gif\n");
    EXPECT_EQ(store.saveType(), u".gif"_s);
}

TEST(SettingsLocation, TheCheckDecidesOnceWithTheFolderItIsGiven)
{
    TempDir dir;
    QStringList asked;
    const SettingsLocation location(dir.path(), dir.file(u"config"_s),
                                    [&asked](const QString &folder) {
                                        asked << folder;
                                        return false;
                                    });
    EXPECT_FALSE(location.usesProgramFolder());
    EXPECT_EQ(location.settingsFile(), dir.file(u"config/settings.ini"_s));
    (void)location.watermarkFile();
    EXPECT_TRUE(asked == QStringList{dir.path()});

    // A root program folder gives a single separator.
    const SettingsLocation root(u"/"_s, u"/unused"_s, [](const QString &) { return true; });
    EXPECT_EQ(root.settingsFile(), u"/settings.ini"_s);
    EXPECT_EQ(root.watermarkFile(), u"/watermark.bmp"_s);
}

TEST(SettingsLocation, ThisProgramUsesItsOwnFolderAndTheUsersConfigFolder)
{
    const SettingsLocation location = SettingsLocation::forThisProgram();
    EXPECT_EQ(location.programFolder(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(location.configFolder(),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  u"/tessaly"_s);
}

TEST(SettingsStore, TheFourSettingsRoundTripUnderTheirKeys)
{
    TempDir dir;
    // Spaces and letters beyond ASCII in the program folder's name.
    const QString folder = dir.file(u"Mes réglages ü 設定"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    SettingsStore store(SettingsLocation(folder, dir.file(u"config"_s)));
    EXPECT_EQ(store.saveLocation(), QString());
    EXPECT_EQ(store.saveType(), QString());
    EXPECT_EQ(store.enableWatermark(), std::nullopt);
    EXPECT_EQ(store.silent(), std::nullopt);

    EXPECT_TRUE(store.setSaveLocation(u"/srv/shots/"_s));
    EXPECT_TRUE(store.setSaveType(u".png"_s));
    EXPECT_TRUE(store.setEnableWatermark(1));
    EXPECT_TRUE(store.setSilent(0));
    EXPECT_EQ(contentOf(folder + u"/settings.ini"_s),
              "[main]\nsavelocation=/srv/shots/\nsavetype=.png\nenablewatermark=1\nsilent=0\n");
    EXPECT_FALSE(QFileInfo::exists(dir.file(u"config"_s)));

    // As the next run of the program sees them.
    const SettingsStore again(SettingsLocation(folder, dir.file(u"config"_s)));
    EXPECT_EQ(again.saveLocation(), u"/srv/shots/"_s);
    EXPECT_EQ(again.saveType(), u".png"_s); // the check values are read in the next test
    EXPECT_FALSE(store.setSaveLocation(u"/a/\nsilent=1"_s)); // the file's refusal is the store's
}

TEST(SettingsStore, CheckValuesThatAreNoCheckValuesReadAsAbsent)
{
    TempDir dir;
    writeFile(dir.file(u"settings.ini"_s), "[MAIN]\nEnableWatermark= 1 \nsilent=yes\n");
    const SettingsStore store(SettingsLocation(dir.path(), dir.file(u"config"_s)));
    EXPECT_EQ(store.enableWatermark(), 1);
    EXPECT_EQ(store.silent(), std::nullopt);
    writeFile(dir.file(u"settings.ini"_s), "[main]\nenablewatermark=7\nsilent=\n");
    EXPECT_EQ(store.enableWatermark(), std::nullopt);
    EXPECT_EQ(store.silent(), std::nullopt);
}

TEST(SettingsStore, AWriteThatFailsEverywhereIsReturnedEachTime)
{
    TempDir dir;
    writeFile(dir.file(u"blocker"_s), "x");
    SettingsStore store(
        SettingsLocation(dir.file(u"blocker/bin"_s), dir.file(u"blocker/config"_s)));

    // Typing a folder name writes at every keystroke.
    for (const QString &typed : {u"/s"_s, u"/sr"_s, u"/srv"_s}) {
        const Result<void> result = store.setSaveLocation(typed);
        EXPECT_FALSE(result);
        EXPECT_TRUE(result.error().contains(u"config"_s));
    }
    EXPECT_FALSE(store.setSilent(1));
    EXPECT_EQ(store.saveLocation(), QString());
}

// How a short write is caught is the image files' tests'; here that the settings file
// survives it.
TEST(SettingsStore, AFullDiskFailsTheWriteWithTheReasonAndKeepsTheFile)
{
    ScratchMount disk(256 * 1024);
    if (!disk.usable())
        GTEST_SKIP() << disk.skipReason().toStdString();
    SettingsStore store(SettingsLocation(disk.path(), disk.file(u"config"_s)));
    ASSERT_TRUE(store.location().usesProgramFolder());
    // Enough lines that a rewrite needs more room than the filled disk has.
    QByteArray original = "[main]\nsavelocation=/srv/old/\n";
    while (original.size() < 16 * 1024)
        original += "; a line kept for the user\n";
    writeFile(store.settingsFile(), original);
    ASSERT_TRUE(disk.fill());
    const Result<void> full = store.setSaveLocation(u"/srv/new/"_s);
    EXPECT_FALSE(full);
    EXPECT_TRUE(full.error().contains(store.settingsFile()) &&
                full.error().contains(u"No space left on device"_s))
        << full.error().toStdString();
    EXPECT_EQ(contentOf(store.settingsFile()), original);
    ASSERT_TRUE(QFile::remove(disk.file(u".filler"_s)));
    EXPECT_EQ(entriesOf(disk.path()), QStringList{u"settings.ini"_s});
}
