// Where the settings file and the watermark copy live.
#include "settings/SettingsLocation.h"

#include "SettingsFiles.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace settingsfiles;
using namespace Qt::StringLiterals;

TEST(SettingsLocation, AWritableProgramFolderHoldsBothFiles)
{
    TempDir dir;
    const SettingsLocation location(dir.path(), dir.file(u"config"_s));
    EXPECT_TRUE(location.usesProgramFolder());
    EXPECT_EQ(location.folder(), dir.path());
    EXPECT_EQ(location.settingsFile(), dir.file(u"settings.ini"_s));
    EXPECT_EQ(location.watermarkFile(), dir.file(u"watermark.bmp"_s));
    EXPECT_TRUE(entriesOf(dir.path()).isEmpty()); // the probe cleaned up after itself
}

TEST(SettingsLocation, AProgramFolderThatTakesNoFilesFallsBackToTheConfigFolder)
{
    TempDir dir;
    // A file where a folder should be stops even the superuser, as permission bits do not.
    writeFile(dir.file(u"opt"_s), "not a folder");
    const QString program = dir.file(u"opt/tessaly"_s);
    const QString config = dir.file(u"home/.config/tessaly"_s);
    EXPECT_FALSE(SettingsLocation::acceptsNewFiles(program));

    const SettingsLocation location(program, config);
    EXPECT_FALSE(location.usesProgramFolder());
    EXPECT_EQ(location.settingsFile(), config + u"/settings.ini"_s);
    EXPECT_EQ(location.watermarkFile(), config + u"/watermark.bmp"_s);
    EXPECT_TRUE(location.prepareFolder());
    EXPECT_TRUE(QFileInfo(config).isDir());
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
}

TEST(SettingsLocation, ARootProgramFolderGivesASingleSeparator)
{
    const SettingsLocation location(u"/"_s, u"/unused"_s, [](const QString &) { return true; });
    EXPECT_EQ(location.settingsFile(), u"/settings.ini"_s);
    EXPECT_EQ(location.watermarkFile(), u"/watermark.bmp"_s);
}

TEST(SettingsLocation, AFolderThatCannotBeCreatedIsReported)
{
    TempDir dir;
    writeFile(dir.file(u"file"_s), "x");
    const SettingsLocation location(dir.file(u"file/bin"_s), dir.file(u"file/config"_s));
    const WriteResult result = location.prepareFolder();
    EXPECT_FALSE(result);
    EXPECT_TRUE(result.error().contains(u"config"_s)) << result.error().toStdString();
}

TEST(SettingsLocation, ThisProgramUsesItsOwnFolderAndTheUsersConfigFolder)
{
    const SettingsLocation location = SettingsLocation::forThisProgram();
    EXPECT_EQ(location.programFolder(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(location.configFolder(),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  u"/tessaly"_s);
    EXPECT_EQ(SettingsLocation::userConfigFolder(), location.configFolder());
}
