#include "anchor/Anchor.h"
#include "anchor/PositionStore.h"
#include "support/TempDir.h"

#include <QFile>
#include <QSettings>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using tessaly::Anchor;
using tessaly::PositionStore;

namespace {

// A hidden window at 15 twips per pixel whose anchor keeps its position in `store`.
struct PositionRig
{
    explicit PositionRig(const PositionStore &store, const QString &regString)
        : host(std::make_unique<QWidget>())
    {
        host->setGeometry(10, 20, 400, 300);
        anchor = new Anchor(host.get(), store);
        anchor->setTwipsScale(tessaly::TwipsScale{15, 15});
        anchor->RegString = regString;
    }
    std::unique_ptr<QWidget> host;
    Anchor *anchor = nullptr;
};

const QString AppRecord = QStringLiteral("App,Main,Frm,1500|750");

} // namespace

TEST(AnchorPosition, TheDefaultPositionIsUsedWhileNothingIsStored)
{
    TempDir dir;
    const PositionStore store(dir.file(QStringLiteral("user.ini")));
    PositionRig rig(store, AppRecord);
    rig.anchor->DoInit();
    EXPECT_EQ(rig.host->pos(), QPoint(100, 50));
}

TEST(AnchorPosition, ClosingStoresLeftAndTopUnderKeyPlusPosAndTheNextWindowStartsThere)
{
    TempDir dir;
    const PositionStore store(dir.file(QStringLiteral("user.ini")));
    {
        PositionRig rig(store, AppRecord);
        rig.anchor->DoInit();
        rig.host->move(120, 60);
    }
    EXPECT_EQ(store.read(QStringLiteral("App"), QStringLiteral("Main"), QStringLiteral("FrmPos")),
              QStringLiteral("1800|900"));
    QSettings file(store.filePath(), QSettings::IniFormat);
    EXPECT_EQ(file.value(QStringLiteral("App/Main/FrmPos")).toString(), QStringLiteral("1800|900"));

    PositionRig next(store, AppRecord);
    next.anchor->DoInit();
    EXPECT_EQ(next.host->pos(), QPoint(120, 60));
}

TEST(AnchorPosition, NothingIsStoredForAMinimisedOrMaximisedWindowOrWithoutAKey)
{
    TempDir dir;
    const PositionStore store(dir.file(QStringLiteral("user.ini")));
    for (Qt::WindowState state : {Qt::WindowMinimized, Qt::WindowMaximized}) {
        PositionRig rig(store, AppRecord);
        rig.host->setWindowState(state);
    }
    {
        PositionRig rig(store, QStringLiteral("App,Main"));
    }
    EXPECT_FALSE(QFile::exists(store.filePath()));

    // Three parts are enough to store, not to restore.
    {
        PositionRig rig(store, QStringLiteral("App,Main,Frm"));
        rig.anchor->DoInit();
        EXPECT_EQ(rig.host->pos(), QPoint(10, 20));
    }
    EXPECT_EQ(store.read(QStringLiteral("App"), QStringLiteral("Main"), QStringLiteral("FrmPos")),
              QStringLiteral("150|300"));
}

TEST(AnchorPosition, AnUnreadableRecordLeavesThePositionAlone)
{
    TempDir dir;
    const PositionStore store(dir.file(QStringLiteral("user.ini")));
    const QString app = QStringLiteral("App");
    const QString main = QStringLiteral("Main");
    for (const char *record : {"abc", "1500", "1500|750|0", "1500|x", ""}) {
        ASSERT_TRUE(store.write(app, main, QStringLiteral("FrmPos"), QString::fromLatin1(record)));
        PositionRig rig(store, AppRecord);
        rig.anchor->RegString = QStringLiteral("App,Main,Frm,1500|750");
        rig.anchor->DoInit();
        EXPECT_EQ(rig.host->pos(), QPoint(10, 20)) << record;
        rig.anchor->RegString.clear(); // keep the record for the next round
    }
    PositionRig noRegString(store, QString());
    noRegString.anchor->DoInit();
    EXPECT_EQ(noRegString.host->pos(), QPoint(10, 20));
}

TEST(PositionStoreTest, ReadsWhatItWroteAndRefusesNamesThatAddressAnotherSetting)
{
    TempDir dir;
    const PositionStore store(dir.file(QStringLiteral("user.ini")));
    const QString app = QStringLiteral("App");
    EXPECT_FALSE(store.read(app, QStringLiteral("Main"), QStringLiteral("FrmPos")));
    ASSERT_TRUE(
        store.write(app, QStringLiteral("Main"), QStringLiteral("FrmPos"), QStringLiteral("1|2")));
    EXPECT_EQ(store.read(app, QStringLiteral("Main"), QStringLiteral("FrmPos")),
              QStringLiteral("1|2"));

    QString error;
    EXPECT_FALSE(store.write(QStringLiteral("../App"), QStringLiteral("Main"), QStringLiteral("K"),
                             QStringLiteral("1|2"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(
        store.write(app, QStringLiteral("Ma/in"), QStringLiteral("K"), QStringLiteral("x")));
    EXPECT_FALSE(store.write(app, QString(), QStringLiteral("K"), QStringLiteral("x")));
}

TEST(PositionStoreTest, AStoreThatCannotBeWrittenSaysSo)
{
    TempDir dir;
    QFile blocker(dir.file(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const PositionStore store(dir.file(QStringLiteral("file/user.ini")));
    QString error;
    EXPECT_FALSE(store.write(QStringLiteral("App"), QStringLiteral("Main"),
                             QStringLiteral("FrmPos"), QStringLiteral("1|2"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(PositionStoreTest, TheDefaultStoreIsTheNativePerUserStoreOfTheApplication)
{
    TempDir dir;
    // Keeps this test out of the real user's settings.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    const PositionStore store;
    ASSERT_TRUE(store.write(QStringLiteral("App"), QStringLiteral("Main"), QStringLiteral("FrmPos"),
                            QStringLiteral("3|4")));
    QSettings native(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("App"));
    EXPECT_TRUE(native.fileName().startsWith(dir.path())) << qPrintable(native.fileName());
    EXPECT_EQ(native.value(QStringLiteral("Main/FrmPos")).toString(), QStringLiteral("3|4"));
    EXPECT_EQ(store.read(QStringLiteral("App"), QStringLiteral("Main"), QStringLiteral("FrmPos")),
              QStringLiteral("3|4"));
}
