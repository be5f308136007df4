// The four settings of section "main", and the one-time notice of a failed write.
#include "settings/SettingsStore.h"

#include "SettingsFiles.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace settingsfiles;
using namespace Qt::StringLiterals;

TEST(SettingsStore, TheFourSettingsRoundTripUnderTheirKeys)
{
    TempDir dir;
    SettingsStore store(SettingsLocation(dir.path(), dir.file(u"config"_s)));
    EXPECT_EQ(store.saveLocation(), QString());
    EXPECT_EQ(store.saveType(), QString());
    EXPECT_EQ(store.enableWatermark(), std::nullopt);
    EXPECT_EQ(store.silent(), std::nullopt);

    EXPECT_TRUE(store.setSaveLocation(u"/srv/shots/"_s));
    EXPECT_TRUE(store.setSaveType(u".png"_s));
    EXPECT_TRUE(store.setEnableWatermark(1));
    EXPECT_TRUE(store.setSilent(0));
    EXPECT_EQ(contentOf(dir.file(u"settings.ini"_s)),
              "[main]\nsavelocation=/srv/shots/\nsavetype=.png\nenablewatermark=1\nsilent=0\n");

    const SettingsStore again(SettingsLocation(dir.path(), dir.file(u"config"_s)));
    EXPECT_EQ(again.saveLocation(), u"/srv/shots/"_s);
    EXPECT_EQ(again.saveType(), u".png"_s);
    EXPECT_EQ(again.enableWatermark(), 1);
    EXPECT_EQ(again.silent(), 0);
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

TEST(SettingsStore, WritesGoToTheConfigFolderWhenTheProgramFolderTakesNoFiles)
{
    TempDir dir;
    writeFile(dir.file(u"opt"_s), "not a folder");
    const QString config = dir.file(u"xdg/tessaly"_s);
    SettingsStore store(SettingsLocation(dir.file(u"opt/bin"_s), config));
    QSignalSpy failures(&store, &SettingsStore::writeFailed);

    EXPECT_TRUE(store.setSaveType(u".gif"_s));
    EXPECT_EQ(contentOf(config + u"/settings.ini"_s), "[main]\nsavetype=.gif\n");
    EXPECT_EQ(store.saveType(), u".gif"_s);
    EXPECT_EQ(store.watermarkFile(), config + u"/watermark.bmp"_s);
    EXPECT_EQ(failures.count(), 0);
    EXPECT_FALSE(store.failureReported());
}

TEST(SettingsStore, AWriteThatFailsEverywhereIsReturnedEachTimeAndAnnouncedOnce)
{
    TempDir dir;
    writeFile(dir.file(u"blocker"_s), "x");
    SettingsStore store(
        SettingsLocation(dir.file(u"blocker/bin"_s), dir.file(u"blocker/config"_s)));
    QSignalSpy failures(&store, &SettingsStore::writeFailed);

    // Typing a folder name writes at every keystroke.
    for (const QString &typed : {u"/s"_s, u"/sr"_s, u"/srv"_s}) {
        const WriteResult result = store.setSaveLocation(typed);
        EXPECT_FALSE(result);
        EXPECT_FALSE(result.error().isEmpty());
    }
    EXPECT_FALSE(store.setSilent(1));
    ASSERT_EQ(failures.count(), 1);
    EXPECT_TRUE(failures.at(0).at(0).toString().contains(u"config"_s));
    EXPECT_TRUE(store.failureReported());
    EXPECT_EQ(store.saveLocation(), QString());
}

TEST(SettingsStore, ARefusedValueIsAFailureToo)
{
    TempDir dir;
    SettingsStore store(SettingsLocation(dir.path(), dir.file(u"config"_s)));
    QSignalSpy failures(&store, &SettingsStore::writeFailed);
    EXPECT_TRUE(store.setSaveLocation(u"/ok/"_s));
    EXPECT_FALSE(store.setSaveLocation(u"/a/\nsilent=1"_s));
    EXPECT_EQ(failures.count(), 1);
    EXPECT_EQ(store.saveLocation(), u"/ok/"_s);
    EXPECT_EQ(store.silent(), std::nullopt);
}
