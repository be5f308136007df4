#include "app/ProgramWindows.h"
#include "ShotProcess.h"
#include "browser/FrmBrowser.h"
#include "capture/CaptureHost.h"
#include "settingswindow/FrmMain.h"
#include "support/RowsPage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>

#include <optional>

#include <gtest/gtest.h>

using namespace tessaly;

namespace {

class Program : public ::testing::Test
{
protected:
    Program() : server(QStringLiteral(TESSALY_TEST_DATA))
    {
        // The per-user data folder, which holds the browser profile: each test's own.
        qputenv("XDG_DATA_HOME", dir.file(QStringLiteral("data")).toUtf8());
        windows.emplace(SettingsLocation(dir.path(), dir.file(QStringLiteral("config"))));
        windows->show();
        shots = dir.file(QStringLiteral("shots/"));
        settings().findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(shots);
    }

    FrmMain &settings() { return windows->settingsWindow(); }
    FrmBrowser &capture() { return windows->captureWindow(); }

    void load(const QString &pathAndQuery)
    {
        BrowserView *view = capture().host()->activeView();
        ASSERT_NE(view, nullptr);
        QSignalSpy complete(view, &BrowserView::DocumentComplete);
        const QString address = server.url(pathAndQuery).toString();
        view->Navigate(address);
        ASSERT_TRUE(complete.wait(30000));
        while (complete.last().at(0).toString() != address)
            ASSERT_TRUE(complete.wait(30000));
    }

    TempDir dir;
    LocalHttpServer server;
    std::optional<ProgramWindows> windows;
    QString shots; ///< the save folder, ending in its separator
};

} // namespace

TEST_F(Program, BeginAgainShowsTheSameWindowAndANewTypeAppliesToTheNextCapture)
{
    settings().Command1_Click();
    ASSERT_TRUE(capture().isLoaded());
    ASSERT_TRUE(capture().isVisible());
    load(QStringLiteral("/rows.html?h=1200"));
    capture().host()->Command5_Click();
    rows::expectRows(decode(shots + QStringLiteral("000.png")), 1200);

    settings().Command1_Click(); // only brings the open window up again
    EXPECT_EQ(capture().host()->CaptureCount(), 1);

    auto *types = settings().findChild<QComboBox *>(QStringLiteral("Combo1"));
    types->setCurrentIndex(types->findText(QStringLiteral(".bmp")));
    emit types->activated(types->currentIndex());
    capture().host()->Command5_Click();
    // Null unless the new type was used.
    rows::expectRows(decode(shots + QStringLiteral("001.bmp")), 1200);
}

// A login made in the capture window holds for tessaly-shot afterwards: both keep cookies
// in the same per-user folder.
TEST_F(Program, CookiesSetInTheCaptureWindowReachTessalyShot)
{
    server.addPage(QStringLiteral("/login.html"),
                   "<!doctype html><title>login</title><script>"
                   "document.cookie = 'login=granted; path=/';</script><p>logged in");
    server.addPage(QStringLiteral("/account.html"), rows::staticPage(300));
    settings().Command1_Click();
    load(QStringLiteral("/login.html"));
    windows.reset(); // the program ends; what it keeps is on disk

    (void)captured({400, 300}, {}, server.url(QStringLiteral("/account.html")).toString(),
                   dir.file(QStringLiteral("a.png")));
    EXPECT_TRUE(server.lastRequest(QStringLiteral("/account.html")).contains("login=granted"));
}

namespace {
// Stands for the capture window holding a close back while a capture waits for its page.
class CloseHolder : public QWidget
{
protected:
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};
} // namespace

TEST_F(Program, ClosingTheSettingsWindowEndsTheProgram)
{
    settings().Command1_Click();
    ASSERT_TRUE(capture().isVisible());
    // A window that holds its close back must not keep the program running.
    CloseHolder holder;
    holder.show();
    QTimer::singleShot(500, &settings(), [this] { settings().close(); });
    QTimer::singleShot(20000, &holder, [] { QApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0) << "the event loop went on after the settings window closed";
}
