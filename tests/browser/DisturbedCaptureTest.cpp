#include "CaptureFixture.h"

#include "support/StalledServer.h"

#include <QDir>

#include <csignal>

using namespace tessaly;
using namespace tessaly::test;
using rows::expectRows;

using DisturbedCapture = RealCapture;

// The renderer ending or the page leaving mid-walk: nothing written, and the view captures again.
TEST_F(DisturbedCapture, RendererEndingOrPageLeavingMidWalkWritesNothing)
{
    QWebEnginePage *page = stage.view()->engineView()->page();
    const struct
    {
        int band;
        const char *says;
        std::function<void()> disturb;
    } cases[] = {
        {3, "renderer", [page] { ::kill(page->renderProcessPid(), SIGKILL); }},
        {2, "another address",
         [page] { page->runJavaScript(QStringLiteral("location.href = '/rows.html?h=300';")); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.says);
        load(QStringLiteral("/rows.html?h=12000"));
        // Disturbed once, when the case's band has been grabbed.
        const QObject scope;
        bool done = false;
        QObject::connect(host.get(), &CaptureHost::bandCaptured, &scope, [&](int grabbed, int) {
            if (grabbed == c.band && !done) {
                done = true;
                c.disturb();
            }
        });
        EXPECT_TRUE(capture().isNull()) << "a disturbed capture wrote a file";
        EXPECT_TRUE(done);
        EXPECT_TRUE(failure.contains(QLatin1String(c.says))) << failure.toStdString();
        // A failed capture leaves no file; that it is not counted is CaptureCounter's.
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
        EXPECT_TRUE(host->List2().isEmpty());
    }
    load(QStringLiteral("/rows.html?h=2000"));
    expectRows(capture(), 2000);
}

// The renderer ends mid-load: no picture of the dead view, and the view loads again.
TEST_F(DisturbedCapture, RendererEndingWhileLoadingLeavesNoFileAndTheViewLoadsAgain)
{
    const StalledServer slow(
        "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n"
        "<!doctype html><body style=\"margin:0\"><div style=\"height:5000px\">");
    QWebEnginePage *page = stage.view()->engineView()->page();
    stage.view()->Navigate(slow.url());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return slow.asked() && page->renderProcessPid() > 0; }, 20000));
    QSignalSpy ended(page, &QWebEnginePage::renderProcessTerminated);
    ::kill(page->renderProcessPid(), SIGKILL);
    ASSERT_TRUE(ended.wait(20000));

    EXPECT_TRUE(capture().isNull()) << "a picture of the dead view was written";
    EXPECT_EQ(failure, QStringLiteral("The screenshot was not taken: the page's renderer ended."));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    load(QStringLiteral("/rows.html?h=1500"));
    expectRows(capture(), 1500);
}

// A script that never yields: the bands shown cannot be trusted, so nothing is written.
TEST_F(DisturbedCapture, BusyPageEndsTheCaptureWithoutAFile)
{
    server.addPage(
        QStringLiteral("/busy.html"),
        "<!doctype html><html><body style=\"margin:0\">"
        "<div style=\"height:6000px;background:#36c\"></div><script>"
        "window.spin = () => { const end = Date.now() + 15000; while (Date.now() < end) {} };"
        "</script></body></html>");
    load(QStringLiteral("/busy.html"));
    stage.view()->engineView()->page()->runJavaScript(QStringLiteral("setTimeout(spin, 0)"));
    EXPECT_TRUE(capture().isNull()) << "a capture of a page that does not answer wrote a file";
    EXPECT_EQ(failure, QStringLiteral("The screenshot was not taken: the page does not answer."));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    // The loop ends by itself; then the same page is taken whole.
    JavaScriptRunner probe(stage.view()->engineView()->page(), 500);
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.run(QStringLiteral("1")).has_value(); }, 20000));
    const QImage image = capture();
    ASSERT_FALSE(image.isNull()) << failure.toStdString();
    EXPECT_GE(image.height(), 6000);
}

// A page left before it answered the height question: its completion is not told as if it
// were the next page's, neither by the late answer nor by the fallback.
TEST_F(DisturbedCapture, APageLeftBeforeItAnsweredTellsNoCompletion)
{
    server.addPage(QStringLiteral("/busyload.html"),
                   "<!doctype html><body onload=\"setTimeout(() => { const end = Date.now() + "
                   "1500; while (Date.now() < end) {} }, 0)\"><p>busy</p></body>");
    const QString next = server.url(QStringLiteral("/plain.html")).toString();
    server.addPage(QStringLiteral("/plain.html"), "<!doctype html><p>plain");
    bool nextLoaded = false;
    QStringList told;
    const QObject scope;
    QObject::connect(stage.view()->engineView(), &QWebEngineView::loadFinished, &scope, [&] {
        if (stage.view()->LocationURL() == next)
            nextLoaded = true;
        else
            stage.view()->Navigate(next); // before the view asks the busy page its height
    });
    QObject::connect(stage.view(), &BrowserView::DocumentComplete, &scope,
                     [&](const QString &address) {
                         told.append(address + (nextLoaded ? QStringLiteral(" after")
                                                           : QStringLiteral(" before")));
                     });
    stage.view()->Navigate(server.url(QStringLiteral("/busyload.html")).toString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !told.isEmpty() && nextLoaded; }, 30000));
    EXPECT_EQ(told.join(u'\n').toStdString(), (next + QStringLiteral(" after")).toStdString());
}
