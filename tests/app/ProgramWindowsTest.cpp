#include "app/ProgramWindows.h"
#include "browser/FrmBrowser.h"
#include "capture/CaptureHost.h"
#include "settings/FrmMain.h"
#include "support/LocalHttpServer.h"
#include "support/RowsPage.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImageReader>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tessaly;

namespace {

class Program : public ::testing::Test
{
protected:
    Program()
        : server(QStringLiteral(TESSALY_TEST_DATA)),
          windows(SettingsLocation(dir.path(), dir.file(QStringLiteral("config"))))
    {
        windows.show();
        shots = dir.file(QStringLiteral("shots/"));
        settings().findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(shots);
    }

    FrmMain &settings() { return windows.settingsWindow(); }
    FrmBrowser &capture() { return windows.captureWindow(); }

    void chooseType(const QString &type)
    {
        auto *types = settings().findChild<QComboBox *>(QStringLiteral("Combo1"));
        types->setCurrentIndex(types->findText(type));
        emit types->activated(types->currentIndex());
    }

    void load(const QString &pathAndQuery)
    {
        BrowserView *view = capture().host()->activeView();
        ASSERT_NE(view, nullptr);
        QSignalSpy complete(view, &BrowserView::DocumentComplete);
        const QString address = server.url(pathAndQuery).toString();
        view->Navigate(address);
        ASSERT_TRUE(complete.wait(30000));
        while (complete.last().at(1).toString() != address)
            ASSERT_TRUE(complete.wait(30000));
    }

    QImage decode(const QString &name) const
    {
        QImageReader reader(QDir(shots).filePath(name));
        reader.setAllocationLimit(0);
        return reader.read();
    }

    TempDir dir;
    LocalHttpServer server;
    ProgramWindows windows;
    QString shots;
};

} // namespace

TEST_F(Program, BeginAgainShowsTheSameWindowAndANewTypeAppliesToTheNextCapture)
{
    settings().Command1_Click();
    ASSERT_TRUE(capture().isLoaded());
    ASSERT_TRUE(capture().isVisible());
    load(QStringLiteral("/rows.html?h=1200"));
    capture().host()->Command5_Click();
    EXPECT_EQ(capture().host()->CaptureCount, 1);
    rows::expectRows(decode(QStringLiteral("000.png")), 1200);

    settings().Command1_Click(); // only brings the open window up again
    EXPECT_EQ(capture().host()->CaptureCount, 1);

    chooseType(QStringLiteral(".bmp"));
    capture().host()->Command5_Click();
    EXPECT_EQ(capture().host()->CaptureCount, 2);
    const QImage second = decode(QStringLiteral("001.bmp"));
    ASSERT_FALSE(second.isNull()) << "the new type was not used";
    rows::expectRows(second, 1200);
}

TEST_F(Program, ClosingTheSettingsWindowEndsTheProgram)
{
    settings().Command1_Click();
    ASSERT_TRUE(capture().isVisible());
    QTimer::singleShot(500, &settings(), [this] { settings().close(); });
    bool ended = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, qApp, [] { QApplication::exit(99); });
    watchdog.start(20000);
    ended = QApplication::exec() == 0;
    EXPECT_TRUE(ended) << "the event loop went on after the settings window closed";
}
