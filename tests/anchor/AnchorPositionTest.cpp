#include "anchor/Anchor.h"
#include "anchor/PositionStore.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <QFile>
#include <QSettings>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace tessaly;
using namespace Qt::StringLiterals;

namespace {

const QString AppRecord = u"App,Main,Frm,1500|750"_s;

class AnchorPosition : public ::testing::Test
{
protected:
    // A hidden window at (10, 20), 15 twips per pixel, whose anchor keeps its position in
    // `store` when the window closes.
    std::unique_ptr<QWidget> window(const QString &regString)
    {
        auto host = std::make_unique<QWidget>();
        host->setGeometry(10, 20, 400, 300);
        auto *anchor = new Anchor(host.get(), store);
        anchor->setTwipsScale(TwipsScale{15, 15});
        anchor->RegString = regString;
        anchor->DoInit();
        return host;
    }
    // The position a window with `regString` opens at.
    QPoint opened(const QString &regString) { return window(regString)->pos(); }

    TempDir dir;
    const PositionStore store{dir.file(u"user.ini"_s)};
};

} // namespace

TEST_F(AnchorPosition, ClosingStoresLeftAndTopUnderKeyPlusPosAndTheNextWindowStartsThere)
{
    EXPECT_EQ(opened(AppRecord), QPoint(100, 50)); // nothing stored yet
    window(AppRecord)->move(120, 60);
    QSettings file(store.filePath(), QSettings::IniFormat);
    EXPECT_EQ(file.value(u"App/Main/FrmPos"_s).toString(), u"1800|900"_s);
    EXPECT_EQ(opened(AppRecord), QPoint(120, 60));
}

TEST_F(AnchorPosition, NothingIsStoredForAMinimisedOrMaximisedWindowOrWithoutAKey)
{
    for (Qt::WindowState state : {Qt::WindowMinimized, Qt::WindowMaximized})
        window(AppRecord)->setWindowState(state);
    window(u"App,Main"_s);
    EXPECT_FALSE(QFile::exists(store.filePath()));

    // Three parts are enough to store, not to restore.
    EXPECT_EQ(opened(u"App,Main,Frm"_s), QPoint(10, 20));
    EXPECT_EQ(store.read(u"App"_s, u"Main"_s, u"FrmPos"_s), u"150|300"_s);
}

TEST_F(AnchorPosition, AnUnreadableRecordLeavesThePositionAlone)
{
    for (const char *record : {"abc", "1500", "1500|750|0", "1500|x", ""}) {
        ASSERT_TRUE(store.write(u"App"_s, u"Main"_s, u"FrmPos"_s, QString::fromLatin1(record)));
        EXPECT_EQ(opened(AppRecord), QPoint(10, 20)) << record;
    }
    EXPECT_EQ(opened(QString()), QPoint(10, 20));
}

TEST_F(AnchorPosition, TheStoreRefusesNamesThatAddressAnotherSetting)
{
    EXPECT_FALSE(store.write(u"../App"_s, u"Main"_s, u"K"_s, u"1|2"_s));
    EXPECT_FALSE(store.write(u"App"_s, QString(), u"K"_s, u"x"_s));

    // A store that cannot be written says so.
    writeFile(dir.file(u"file"_s), {});
    EXPECT_FALSE(PositionStore(dir.file(u"file/user.ini"_s))
                     .write(u"App"_s, u"Main"_s, u"FrmPos"_s, u"1|2"_s));
}

TEST(PositionStoreTest, TheDefaultStoreIsTheNativePerUserStoreOfTheApplication)
{
    TempDir dir;
    // Keeps this test out of the real user's settings.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    const PositionStore store;
    ASSERT_TRUE(store.write(u"App"_s, u"Main"_s, u"FrmPos"_s, u"3|4"_s));
    QSettings native(QSettings::NativeFormat, QSettings::UserScope, u"App"_s);
    EXPECT_TRUE(native.fileName().startsWith(dir.path())) << qPrintable(native.fileName());
    EXPECT_EQ(native.value(u"Main/FrmPos"_s).toString(), u"3|4"_s);
    EXPECT_EQ(store.read(u"App"_s, u"Main"_s, u"FrmPos"_s), u"3|4"_s);
}
