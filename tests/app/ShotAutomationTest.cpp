// tessaly-shot run as its own process against local pages: the command itself, then its
// options for automation.
#include "ShotProcess.h"
#include "support/FileHelpers.h"
#include "support/PixelCount.h"
#include "support/RowsPage.h"
#include "support/StalledServer.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using ShotCommand = ShotPages;
using ShotAutomation = ShotPages;

} // namespace

// A fresh process captures as soon as the page has loaded, before the view may have drawn
// it: the first band must still be the page, not a blank view. It runs as a user does, with
// no engine switches set, so that the suite also runs the browser as it chooses by itself.
TEST_F(ShotCommand, FreshProcessWithNoSwitchesSetCapturesEveryBandFromTheFirst)
{
    QProcessEnvironment asAUser = QProcessEnvironment::systemEnvironment();
    asAUser.remove(u"QTWEBENGINE_CHROMIUM_FLAGS"_s);
    asAUser.remove(u"TESSALY_GPU"_s);
    server.addPage(u"/static.html"_s, rows::staticPage(4000));
    const QImage image =
        captured({640, 480}, {}, url(u"/static.html"_s), dir.file(u"long.png"_s), asAUser);
    EXPECT_EQ(image.width(), 638);
    rows::expectRows(image, 4000);
}

// Each way a run fails, with the reason it ends with: exit code 1, and the picture an
// earlier run left under that name is kept as it was.
TEST_F(ShotCommand, FailedRunsEndWithTheReasonAndLeaveAnEarlierPictureAlone)
{
    const QString page = url(u"/rows.html?h=400"_s);
    const QString kept = dir.file(u"kept.png"_s);
    writeFile(kept, "keep me");
    const std::vector<std::pair<QStringList, QString>> cases = {
        {{StalledServer::refusedUrl(), kept}, u"could not be loaded"_s},
        // A folder that cannot exist: its parent is a file.
        {{page, kept + u"/inside.png"_s}, u"cannot write"_s},
        // The browser ends the page's renderer as it starts loading this address.
        {{u"chrome://kill"_s, kept}, u"the page's renderer ended while loading"_s},
        {{u"--javascript"_s, u"throw new Error('boom')"_s, page, kept}, u"boom"_s},
        {{u"--wait-for"_s, u"window.neverSet === true"_s, u"--timeout"_s, u"2"_s, page, kept},
         u"(--timeout) while waiting: --wait-for was not true yet"_s},
        {{u"--selector"_s, u"#missing"_s, page, kept}, u"#missing"_s}};
    for (const auto &[arguments, reason] : cases) {
        SCOPED_TRACE(reason.toStdString());
        const ShotRun run = shot(arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.errors.contains(reason)) << run.errors.toStdString();
        EXPECT_EQ(contentOf(kept), QByteArray("keep me"));
    }
}

// Help, version and usage errors are read before any display is looked for, so they work
// over a plain terminal session too.
TEST(ShotCommandLine, HelpVersionAndUsageNeedNoDisplay)
{
    QProcessEnvironment terminal = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        terminal.remove(name);
    ShotRun run = shot({u"--help"_s}, terminal);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.output.startsWith(u"Usage: tessaly-shot [options] URL OUTPUT"_s))
        << run.output.toStdString();
    run = shot({u"--version"_s}, terminal);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, QStringLiteral("tessaly-shot " TESSALY_VERSION "\n"));
    run = shot({u"--no-such-option"_s}, terminal);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.errors.contains(u"Try 'tessaly-shot --help'"_s));
}

TEST_F(ShotAutomation, PreparesThePageWithScriptAndWaitsBeforeTheCapture)
{
    // One element appears only when the page's own function is called, and one by itself a
    // little after that: the script must run in the page's world, the capture wait for the
    // condition, and then wait on for --wait.
    server.addPage(u"/late.html"_s, R"html(<!doctype html><html><head>
<style>html, body { margin: 0 } div { height: 200px }</style></head><body>
<div style="background: rgb(200, 200, 255)"></div>
<script>
function add(id, colour) {
  document.body.insertAdjacentHTML('beforeend', `<div id="${id}" style="background: ${colour}"></div>`);
}
function addLate() {
  setTimeout(() => {
    add('late', 'rgb(255, 160, 0)');
    setTimeout(() => add('soon', 'rgb(0, 160, 0)'), 200);
  }, 400);
}
</script></body></html>)html");
    const QImage image = captured({400, 300},
                                  {u"--javascript"_s, u"addLate()"_s, u"--wait-for"_s,
                                   u"document.getElementById('late')"_s, u"--wait"_s, u"600"_s},
                                  url(u"/late.html"_s), dir.file(u"late.png"_s));
    ASSERT_GE(image.height(), 600);
    // Counted left of the banner, which sits over the end of the page.
    EXPECT_EQ(countPixels(image, QRect(10, 200, 100, 400), qRgb(0, 160, 0)), 100 * 200)
        << "the element that appears by itself during --wait";
    EXPECT_EQ(countPixels(image, QRect(10, 200, 100, 400), qRgb(255, 160, 0)), 100 * 200)
        << "the element the script asked for";
}

TEST_F(ShotAutomation, HiddenElementsLeaveNoTraceAndStyleReachesSameOriginFrames)
{
    // A fixed banner over the rows, and a frame of the same origin with a banner of its own.
    server.addPage(u"/frame.html"_s,
                   "<!doctype html><html><body style=\"margin: 0; background: rgb(0, 0, 255)\">"
                   "<div class=\"cookie\" style=\"height: 40px; background: rgb(255, 0, 0)\"></div>"
                   "</body></html>");
    QByteArray html = rows::staticPage(1500);
    html.replace("</body>", "<div id=\"cookie\" style=\"position: fixed; left: 0; right: 0; "
                            "bottom: 0; height: 90px; background: rgb(255, 0, 0)\"></div>"
                            "<iframe src=\"/frame.html\" style=\"position: absolute; left: 220px; "
                            "top: 50px; width: 150px; height: 100px; border: 0\"></iframe></body>");
    server.addPage(u"/banner.html"_s, html);
    const QImage image =
        captured({400, 300},
                 {u"--hide"_s, u"#cookie"_s, u"--hide"_s, u".cookie"_s, u"--style"_s,
                  u"body { background: rgb(0, 255, 0) !important }"_s, u"--no-banner"_s},
                 url(u"/banner.html"_s), dir.file(u"hidden.png"_s));
    rows::expectRows(image, 1500);
    EXPECT_EQ(countPixels(image, image.rect(), qRgb(255, 0, 0)), 0) << "a banner shows";
    // The frame shows its body, restyled, where its banner was and below.
    EXPECT_EQ(countPixels(image, QRect(220, 50, 150, 100), qRgb(0, 255, 0)), 150 * 100);
}

TEST_F(ShotAutomation, SelectorCutsThePictureToTheElementsBoxHoweverTall)
{
    // A column of numbered rows taller than 20,000 pixels below a margin, and a small box at
    // the page's right edge: a cut picture has no frame to take its last columns.
    QByteArray html = rows::staticPage(20500);
    html.replace("<body>", "<body style=\"background: rgb(250, 250, 250)\"><div id=\"tall\" "
                           "style=\"position: absolute; left: 0; top: 100px; width: 300px; "
                           "height: auto\">");
    html.replace("</body>", "</div><div id=\"box\" style=\"position: absolute; right: 0; "
                            "top: 250px; width: 200px; height: 150px; "
                            "background: rgb(0, 120, 0)\"></div></body>");
    server.addPage(u"/elements.html"_s, html);
    const QString page = url(u"/elements.html"_s);

    const QImage box =
        captured({600, 400}, {u"--selector"_s, u"#box"_s}, page, dir.file(u"box.png"_s));
    ASSERT_EQ(box.size(), QSize(200, 150));
    // The element, with the banner stamped at the bottom of the cut: where exactly is
    // ElementCrop's to check.
    EXPECT_EQ(countPixels(box, QRect(0, 0, 200, 110), qRgb(0, 120, 0)), 200 * 110);
    EXPECT_LT(countPixels(box, QRect(0, 110, 200, 40), qRgb(0, 120, 0)), 200 * 40);

    const QImage column = captured({600, 400}, {u"--no-banner"_s, u"--selector"_s, u"#tall"_s},
                                   page, dir.file(u"tall.png"_s));
    ASSERT_EQ(column.size(), QSize(300, 20500));
    rows::expectRows(column, 20500);
}

TEST_F(ShotAutomation, ScaleTwoDrawsEveryRowTwiceAsLargeOnATallPage)
{
    constexpr int PageHeight = 17000; // 34,000 device pixels of rows, a picture past 32,767
    server.addPage(u"/tall.html"_s, rows::staticPage(PageHeight));
    const QImage image = captured({400, 300}, {u"--scale"_s, u"2"_s}, url(u"/tall.html"_s),
                                  dir.file(u"sharp.png"_s));
    EXPECT_EQ(image.width(), 2 * 400 - 2);
    // Every 5-pixel band is 10 device pixels high. How a zoomed walk lines its bands up row
    // by row is RealCapture's to check; here every other device row is enough.
    rows::expectRows(image.scaled(image.width() / 2, image.height() / 2), PageHeight);
}

TEST_F(ShotAutomation, TimeoutEndsAPageThatNeverAnswers)
{
    // Accepts connections and never says a word.
    const StalledServer silent;
    const QString output = dir.file(u"never.png"_s);
    QElapsedTimer clock;
    clock.start();
    const ShotRun run = shot({u"--timeout"_s, u"2"_s, silent.url(), output});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(u"gave up after 2 s (--timeout) while the page was loading"_s))
        << run.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(output));
    EXPECT_TRUE(silent.asked()) << "the browser never asked";
    // Well before the 60 s that loading is given without --timeout.
    EXPECT_LT(clock.elapsed(), 30000);
}

TEST_F(ShotAutomation, BatchWritesEveryGoodLineAndReportsTheBadOne)
{
    server.addPage(u"/a.html"_s, rows::staticPage(700));
    server.addPage(u"/b.html"_s, rows::staticPage(400));

    const QString first = dir.file(u"first.png"_s);
    const QString second = dir.file(u"second shot.png"_s);
    const QString list = dir.file(u"list.txt"_s);
    // Blank and comment lines, and a line's own options over the batch's, are the parser's
    // to check.
    writeFile(list, QStringLiteral("%1 %2\n%3 %4\n%5 '%6'\n")
                        .arg(url(u"/a.html"_s), first, StalledServer::refusedUrl(),
                             dir.file(u"lost.png"_s), url(u"/b.html"_s), second)
                        .toUtf8());

    const ShotRun run = shot(
        {u"--batch"_s, list, u"--width"_s, u"400"_s, u"--height"_s, u"300"_s, u"--no-banner"_s});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(u"list.txt:2:"_s)) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(u"2 of 3 captures written"_s)) << run.errors.toStdString();
    const QImage a = decode(first);
    EXPECT_EQ(a.width(), 398) << "the batch's own --width did not reach its lines";
    rows::expectRows(a, 700);
    rows::expectRows(decode(second), 400);
}

TEST_F(ShotAutomation, QualityChangesTheJpegAndTheBannerIsStampedByDefault)
{
    server.addPage(u"/rows.html"_s, rows::staticPage(600));
    const auto capture = [&](const QString &name, const QStringList &options) {
        const QString output = dir.file(name);
        (void)captured({400, 300}, options, url(u"/rows.html"_s), output);
        return output;
    };
    const QString low = capture(u"low.jpg"_s, {u"--quality"_s, u"5"_s});
    const QString high = capture(u"high.jpg"_s, {u"--quality"_s, u"95"_s});
    // How well each quality keeps the picture is the writer's to check.
    EXPECT_LT(QFileInfo(low).size(), QFileInfo(high).size());

    // The banner sits 20 pixels in from the bottom-right corner of the browser area, here
    // over the last rows of the page. The tests with --no-banner see none there.
    const QImage stamped = decode(capture(u"stamped.png"_s, {}));
    int notPage = 0;
    for (int y = stamped.height() - 45; y < stamped.height(); ++y)
        for (int x = 100; x < 380; ++x)
            notPage += rows::bandOf(stamped.pixel(x, y)) == y / 5 ? 0 : 1;
    EXPECT_GT(notPage, 100);
}

// A login kept as a cookie without an expiry date: one run sets it, a later run sends it
// back, from the shared folder or the one --profile names; --private neither sends nor keeps.
TEST_F(ShotAutomation, CookiesOutliveTheRunUnlessPrivate)
{
    // The per-user data folder holds the shared browser profile.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_DATA_HOME"_s, dir.file(u"data"_s));
    server.addPage(u"/login.html"_s,
                   "<!doctype html><script>document.cookie = 'login=granted; path=/';</script>");
    server.addPage(u"/account.html"_s, rows::staticPage(300));
    // Whether the account page was last asked for with the login.
    const auto visit = [&](const QString &path, const QStringList &options) {
        (void)captured({400, 300}, options, url(path), dir.file(u"page.png"_s), environment);
        return server.lastRequest(u"/account.html"_s).contains("login=granted");
    };

    visit(u"/login.html"_s, {});
    EXPECT_TRUE(visit(u"/account.html"_s, {})) << "the shared folder lost the cookie";
    EXPECT_TRUE(QFileInfo(dir.file(u"data/tessaly/browser"_s)).isDir());
    EXPECT_FALSE(visit(u"/account.html"_s, {u"--private"_s})) << "a private run sent a kept cookie";

    const QString own = dir.file(u"own profile"_s);
    EXPECT_FALSE(visit(u"/account.html"_s, {u"--profile"_s, own}))
        << "another profile sent the shared folder's cookie";
    visit(u"/login.html"_s, {u"--profile"_s, own});
    EXPECT_TRUE(visit(u"/account.html"_s, {u"--profile"_s, own}));
}
