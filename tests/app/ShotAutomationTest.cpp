// tessaly-shot's options for automation, run as its own process against local pages.
#include "ShotProcess.h"
#include "support/RowsPage.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

bool near(QRgb pixel, QRgb expected, int tolerance = 0)
{
    return std::abs(qRed(pixel) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(pixel) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(expected)) <= tolerance;
}

// Pixels of the rectangle that are within `tolerance` of the colour.
int countColour(const QImage &image, const QRect &area, QRgb colour, int tolerance = 0)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += near(image.pixel(x, y), colour, tolerance) ? 1 : 0;
    return count;
}

// The rows page with more put at the end of its body.
QByteArray rowsWith(int height, const QByteArray &more)
{
    QByteArray html = rows::staticPage(height);
    html.replace("</body>", more + "</body>");
    return html;
}

using ShotAutomation = ShotPages;

} // namespace

TEST_F(ShotAutomation, PreparesThePageWithScriptAndWaitsBeforeTheCapture)
{
    // One element appears by itself a little after loading, one only when the page's own
    // function is called: the script must run in the page's world, and the capture wait.
    server.addPage(QStringLiteral("/late.html"), R"html(<!doctype html><html><head>
<style>html, body { margin: 0 } div { height: 200px }</style></head><body>
<div style="background: rgb(200, 200, 255)"></div>
<script>
setTimeout(() => document.body.insertAdjacentHTML('beforeend',
  '<div id="soon" style="background: rgb(0, 160, 0)"></div>'), 150);
function addLate() {
  setTimeout(() => document.body.insertAdjacentHTML('beforeend',
    '<div id="late" style="background: rgb(255, 160, 0)"></div>'), 400);
}
</script></body></html>)html");
    const QString output = dir.file(QStringLiteral("late.png"));
    const QImage image =
        captured({400, 300},
                 {QStringLiteral("--javascript"), QStringLiteral("addLate()"),
                  QStringLiteral("--wait-for"), QStringLiteral("document.getElementById('late')"),
                  QStringLiteral("--wait"), QStringLiteral("600")},
                 url(QStringLiteral("/late.html")), output);
    ASSERT_GE(image.height(), 600);
    // #soon and #late in the order they came; either one after the other.
    // Counted left of the banner, which sits over the end of the page.
    const int soon = countColour(image, QRect(10, 200, 100, 400), qRgb(0, 160, 0));
    const int late = countColour(image, QRect(10, 200, 100, 400), qRgb(255, 160, 0));
    EXPECT_EQ(soon, 100 * 200) << "the element that appears by itself";
    EXPECT_EQ(late, 100 * 200) << "the element the script asked for";
}

TEST_F(ShotAutomation, ScriptsThatFailOrConditionsNeverTrueEndWithExitOne)
{
    const QString page = url(QStringLiteral("/rows.html?h=400"));
    const QString output = dir.file(QStringLiteral("none.png"));
    ShotRun run = shot(
        {QStringLiteral("--javascript"), QStringLiteral("throw new Error('boom')"), page, output});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("boom"))) << run.errors.toStdString();

    run = shot({QStringLiteral("--wait-for"), QStringLiteral("window.neverSet === true"),
                QStringLiteral("--timeout"), QStringLiteral("2"), page, output});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("--timeout"))) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("--wait-for"))) << run.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(output));
}

TEST_F(ShotAutomation, HiddenElementsLeaveNoTraceAndStyleReachesSameOriginFrames)
{
    // A fixed banner over the rows, and a frame of the same origin with a banner of its own.
    server.addPage(QStringLiteral("/frame.html"),
                   "<!doctype html><html><body style=\"margin: 0; background: rgb(0, 0, 255)\">"
                   "<div class=\"cookie\" style=\"height: 40px; background: rgb(255, 0, 0)\"></div>"
                   "</body></html>");
    server.addPage(QStringLiteral("/banner.html"),
                   rowsWith(1500,
                            "<div id=\"cookie\" style=\"position: fixed; left: 0; right: 0; "
                            "bottom: 0; height: 90px; background: rgb(255, 0, 0)\"></div>"
                            "<iframe src=\"/frame.html\" style=\"position: absolute; left: 220px; "
                            "top: 50px; width: 150px; height: 100px; border: 0\"></iframe>"));
    const QString output = dir.file(QStringLiteral("hidden.png"));
    const QImage image =
        captured({400, 300},
                 {QStringLiteral("--hide"), QStringLiteral("#cookie"), QStringLiteral("--hide"),
                  QStringLiteral(".cookie"), QStringLiteral("--style"),
                  QStringLiteral("body { background: rgb(0, 255, 0) !important }"),
                  QStringLiteral("--no-banner")},
                 url(QStringLiteral("/banner.html")), output);
    rows::expectRows(image, 1500);
    EXPECT_EQ(countColour(image, image.rect(), qRgb(255, 0, 0), 8), 0) << "a banner shows";
    // The frame shows its body, restyled, where its banner was and below.
    EXPECT_EQ(countColour(image, QRect(220, 50, 150, 100), qRgb(0, 255, 0)), 150 * 100);
}

TEST_F(ShotAutomation, SelectorCutsThePictureToTheElementsBoxHoweverTall)
{
    // A column of numbered rows taller than 20,000 pixels below a margin, and a small box
    // beside it.
    QByteArray tall =
        "<div id=\"tall\" style=\"position: absolute; left: 0; top: 100px; width: 300px\">";
    for (int i = 0; i < 20500 / 5; ++i)
        tall += "<div style=\"background: rgb(" + QByteArray::number(i & 255) + ", " +
                QByteArray::number((i >> 8) & 255) + ", 160)\"></div>";
    tall +=
        "</div><div id=\"box\" style=\"position: absolute; left: 330px; top: 250px; width: 200px; "
        "height: 150px; background: rgb(0, 120, 0)\"></div>";
    server.addPage(
        QStringLiteral("/elements.html"),
        "<!doctype html><html><head><style>html, body { margin: 0 } #tall div { height: 5px }"
        "</style></head><body style=\"background: rgb(250, 250, 250)\">" +
            tall + "</body></html>");
    const QString page = url(QStringLiteral("/elements.html"));

    const QImage box = captured({600, 400}, {QStringLiteral("--selector"), QStringLiteral("#box")},
                                page, dir.file(QStringLiteral("box.png")));
    ASSERT_EQ(box.size(), QSize(200, 150));
    // The banner is stamped on the cut; the rest is the element.
    EXPECT_GT(countColour(box, box.rect(), qRgb(0, 120, 0)), 200 * 150 - 261 * 13);
    EXPECT_EQ(countColour(box, QRect(0, 0, 200, 110), qRgb(0, 120, 0)), 200 * 110);

    const QImage column = captured(
        {600, 400},
        {QStringLiteral("--no-banner"), QStringLiteral("--selector"), QStringLiteral("#tall")},
        page, dir.file(QStringLiteral("tall.png")));
    ASSERT_EQ(column.size(), QSize(300, 20500));
    rows::expectRows(column, 20500);

    const QString none = dir.file(QStringLiteral("none.png"));
    const ShotRun run =
        shot({QStringLiteral("--selector"), QStringLiteral("#missing"), page, none});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("#missing"))) << run.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(none));
}

TEST_F(ShotAutomation, ScaleTwoDrawsEveryRowTwiceAsLargeOnATallPage)
{
    constexpr int PageHeight = 17000; // 34,000 device pixels of rows, a picture past 32,767
    server.addPage(QStringLiteral("/tall.html"), rows::staticPage(PageHeight));
    const QImage image =
        captured({400, 300}, {QStringLiteral("--scale"), QStringLiteral("2")},
                 url(QStringLiteral("/tall.html")), dir.file(QStringLiteral("sharp.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 2 * 400 - 2);
    ASSERT_GE(image.height(), 2 * PageHeight);
    EXPECT_GT(image.height(), 32767);
    // Every 5-pixel band is 10 device pixels high: both rows of each pixel row show it.
    int wrong = 0;
    for (int y = 0; y < 2 * PageHeight; y += 3) {
        for (int x : {20, 300}) {
            const int band = rows::bandOf(image.pixel(x, y));
            if (band != y / 10 && wrong++ < 10)
                ADD_FAILURE() << "device row " << y << " column " << x << " shows band " << band
                              << ", expected " << y / 10;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(ShotAutomation, TimeoutEndsAPageThatNeverAnswers)
{
    // Accepts connections and never says a word.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    std::vector<std::unique_ptr<QTcpSocket>> held;
    QObject::connect(&silent, &QTcpServer::newConnection, &silent, [&] {
        while (QTcpSocket *socket = silent.nextPendingConnection())
            held.emplace_back(socket);
    });
    const QString output = dir.file(QStringLiteral("never.png"));
    QElapsedTimer clock;
    clock.start();
    const ShotRun run =
        shot({QStringLiteral("--timeout"), QStringLiteral("2"),
              QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort()), output});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(
        QStringLiteral("gave up after 2 s (--timeout) while the page was loading")))
        << run.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(output));
    EXPECT_FALSE(held.empty()) << "the browser never asked";
    // Well before the 60 s that loading is given without --timeout.
    EXPECT_LT(clock.elapsed(), 30000);
}

TEST_F(ShotAutomation, BatchWritesEveryGoodLineAndReportsTheBadOne)
{
    const QString refused = refusedUrl();
    server.addPage(QStringLiteral("/a.html"), rows::staticPage(700));
    server.addPage(QStringLiteral("/b.html"), rows::staticPage(400));

    const QString first = dir.file(QStringLiteral("first.png"));
    const QString second = dir.file(QStringLiteral("second shot.png"));
    const QString lost = dir.file(QStringLiteral("lost.png"));
    QFile list(dir.file(QStringLiteral("list.txt")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(QStringLiteral("# pages to capture\n"
                              "%1 %2\n"
                              "\n"
                              "%3 %4\n"
                              "   # the last one is narrower\n"
                              "%5 '%6' --width 300\n")
                   .arg(url(QStringLiteral("/a.html")), first, refused, lost,
                        url(QStringLiteral("/b.html")), second)
                   .toUtf8());
    list.close();

    const ShotRun run = shot({QStringLiteral("--batch"), list.fileName(), QStringLiteral("--width"),
                              QStringLiteral("400"), QStringLiteral("--height"),
                              QStringLiteral("300"), QStringLiteral("--no-banner")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("list.txt:4:"))) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("2 of 3 captures written")))
        << run.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(lost));
    const QImage a = decode(first);
    EXPECT_EQ(a.width(), 398);
    rows::expectRows(a, 700);
    const QImage b = decode(second);
    EXPECT_EQ(b.width(), 298);
    rows::expectRows(b, 400);
}

TEST_F(ShotAutomation, QualityChangesTheJpegAndNoBannerLeavesTheCornerAsThePage)
{
    server.addPage(QStringLiteral("/rows.html"), rows::staticPage(600));
    const QString page = url(QStringLiteral("/rows.html"));
    const auto capture = [&](const QString &name, const QStringList &options) {
        const QString output = dir.file(name);
        (void)captured({400, 300}, options, page, output);
        return output;
    };
    const QString low =
        capture(QStringLiteral("low.jpg"),
                {QStringLiteral("--quality"), QStringLiteral("5"), QStringLiteral("--no-banner")});
    const QString high =
        capture(QStringLiteral("high.jpg"),
                {QStringLiteral("--quality"), QStringLiteral("95"), QStringLiteral("--no-banner")});
    EXPECT_LT(QFileInfo(low).size(), QFileInfo(high).size());
    rows::expectRows(decode(high), 600, 12);
    EXPECT_EQ(decode(low).width(), 398);

    // The banner sits 20 pixels in from the bottom-right corner of the browser area, here
    // over the last rows of the page.
    const auto corner = [](const QImage &image) {
        int notPage = 0;
        for (int y = image.height() - 45; y < image.height(); ++y)
            for (int x = 100; x < 380; ++x) {
                const QRgb pixel = image.pixel(x, y);
                const bool page =
                    y < 600 ? rows::bandOf(pixel) == y / 5 : pixel == qRgb(255, 255, 255);
                notPage += page ? 0 : 1;
            }
        return notPage;
    };
    const QImage stamped = decode(capture(QStringLiteral("stamped.png"), {}));
    const QImage plain =
        decode(capture(QStringLiteral("plain.png"), {QStringLiteral("--no-banner")}));
    ASSERT_EQ(plain.size(), stamped.size());
    EXPECT_GT(corner(stamped), 100);
    EXPECT_EQ(corner(plain), 0);
}

// A login kept as a cookie without an expiry date: one run sets it, a later run sends it
// back, from the shared folder or the one --profile names; --private neither sends nor keeps.
TEST_F(ShotAutomation, CookiesOutliveTheRunUnlessPrivate)
{
    const DataHome dataHome(dir.file(QStringLiteral("data")));
    server.addPage(QStringLiteral("/login.html"),
                   rowsWith(300, "<script>document.cookie = 'login=granted; path=/';</script>"));
    server.addPage(QStringLiteral("/account.html"), rows::staticPage(300));
    const QString picture = dir.file(QStringLiteral("page.png"));
    const auto sentCookie = [this] {
        return server.lastRequest(QStringLiteral("/account.html")).contains("login=granted");
    };
    const auto visit = [&](const QString &path, QStringList options) {
        options << url(path) << picture;
        const ShotRun run = shot(options);
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    };

    visit(QStringLiteral("/account.html"), {});
    EXPECT_FALSE(sentCookie());
    visit(QStringLiteral("/login.html"), {});
    visit(QStringLiteral("/account.html"), {});
    EXPECT_TRUE(sentCookie()) << "the shared folder lost the cookie";
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("data/tessaly/browser"))).isDir());

    visit(QStringLiteral("/account.html"), {QStringLiteral("--private")});
    EXPECT_FALSE(sentCookie()) << "a private run sent a kept cookie";

    const QString own = dir.file(QStringLiteral("own profile"));
    visit(QStringLiteral("/account.html"), {QStringLiteral("--profile"), own});
    EXPECT_FALSE(sentCookie()) << "another profile sent the shared folder's cookie";
    visit(QStringLiteral("/login.html"), {QStringLiteral("--profile"), own});
    visit(QStringLiteral("/account.html"), {QStringLiteral("--profile"), own});
    EXPECT_TRUE(sentCookie());

    const ShotRun both = shot({QStringLiteral("--private"), QStringLiteral("--profile"), own,
                               url(QStringLiteral("/account.html")), picture});
    EXPECT_EQ(both.exitCode, 2);
}
