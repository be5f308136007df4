#include "FrmBrowserRig.h"

#include "support/RowsPage.h"
#include "support/StalledServer.h"

#include <QCheckBox>
#include <QLabel>

using namespace Qt::StringLiterals;
using namespace tessaly;

namespace {

class Events : public WindowRig
{
protected:
    Events()
    {
        server.addPage(u"/plain.html"_s, "<!doctype html><title>plain</title><p>plain");
        server.addPage(u"/frame.html"_s, "<!doctype html><style>html,body{margin:0}</style>"
                                         "<body><div style=\"height:777px\">frame</div></body>");
        server.addPage(u"/frames.html"_s, "<!doctype html><title>frames</title>"
                                          "<iframe name=\"main\" src=\"/frame.html\"></iframe>"
                                          "<iframe name=\"Main\" src=\"/frame.html\"></iframe>"
                                          "<iframe name=\"main\" src=\"/frame.html\"></iframe>"
                                          "<iframe src=\"/frame.html\"></iframe>");
        server.addPage(u"/opener.html"_s,
                       "<!doctype html><title>opener</title><script>"
                       "window.open('/rows.html?h=2000'); document.title = 'opened';"
                       "</script>");
        server.addPage(u"/alert.html"_s,
                       "<!doctype html><title>before</title><script>"
                       "alert('Hello <b>there</b>');"
                       "document.title = confirm('Sure?') ? 'after yes' : 'after no';</script>");
        server.addPage(u"/secret.html"_s, "<!doctype html><title>secret page</title>");
        server.requireLogin(u"/secret.html"_s, "user", "s3cret");
    }

    /// Past the very first completion, which records nothing but History.
    void showWindowPastFirstCompletion()
    {
        showWindow();
        load(u"/plain.html"_s);
        ASSERT_SOON_EQ(window->BackIndex, 1);
    }

    /// Has view `from` open `path` and waits for it as view `index`, current.
    void openPopUp(int from, int index, const char *path = "/plain.html")
    {
        runInPage(from, u"window.open('%1')"_s.arg(QLatin1String(path)));
        ASSERT_SOON_EQ(host()->ActiveBrowser(), index);
        ASSERT_TRUE(shows(index, url(path)));
    }

    int loadedViews() const
    {
        int count = 0;
        for (const auto &v : host()->WebBrowser1())
            count += v ? 1 : 0;
        return count;
    }
};

} // namespace

// Pop-ups take the browser's profile, become the current view and take free indexes;
// closing one returns to the main view.
TEST_F(Events, PopUpsBecomeTheCurrentViewAndGetFreeIndexes)
{
    QWebEngineProfile profile; // off the record, and not the default one
    profile.setUrlRequestInterceptor(&requests);
    window->setBrowserProfile(&profile);
    showWindow();
    EXPECT_EQ(page(0)->profile(), &profile);
    load(u"/opener.html"_s);
    ASSERT_SOON_EQ(host()->ActiveBrowser(), 1);
    ASSERT_TRUE(shows(1, url("/rows.html?h=2000")));
    EXPECT_EQ(page(1)->profile(), &profile);
    EXPECT_TRUE(visible(1));
    EXPECT_FALSE(visible(0));
    EXPECT_EQ(view(1)->engineView()->geometry(), control("Picture1")->rect());
    EXPECT_SOON_EQ(page(0)->title(), u"opened"_s);

    // Go acts on the pop-up.
    go(url("/plain.html"));
    ASSERT_TRUE(shows(1, url("/plain.html")));
    EXPECT_EQ(page(0)->url().toString(), url("/opener.html"));

    openPopUp(1, 2);
    openPopUp(2, 3);
    runInPage(1, u"window.close()"_s);
    ASSERT_SOON(view(1) == nullptr);
    EXPECT_EQ(host()->ActiveBrowser(), 0);
    EXPECT_TRUE(visible(0));
    EXPECT_FALSE(visible(2));
    EXPECT_FALSE(visible(3));
    // Index 3 in use: the next pop-up takes the free index 1.
    openPopUp(0, 1);
    EXPECT_TRUE(visible(1));
    EXPECT_FALSE(visible(3));
    window.reset(); // the views go before their profile
}

TEST_F(Events, FrameNamesReachList1AndFrameHeightsReachList2)
{
    showWindowPastFirstCompletion();
    load(u"/frames.html"_s);
    ASSERT_SOON_EQ(host()->List1(), (QStringList{u"main"_s, u"Main"_s}));
    // One entry per loaded frame (four) and one for the page.
    ASSERT_SOON(host()->List2().count(u"000000777"_s) == 4);
    EXPECT_SOON_EQ(host()->List2().size(), 5);
    EXPECT_SOON_EQ(window->BackIndex, 2 + 4);
    // about:blank adds nothing to List1.
    runInPage(0, QStringLiteral("const f = document.createElement('iframe'); f.name = 'blank';"
                                " f.src = 'about:blank'; document.body.appendChild(f);"));
    QTest::qWait(0);
    load(u"/plain.html"_s);
    EXPECT_FALSE(host()->List1().contains(u"blank"_s));
}

TEST_F(Events, NamesAndTitlesFromThePageAreDataOnly)
{
    // Quotes, backslashes, the end of a script element, a new line, and length.
    const QString nasty =
        QStringLiteral("a'b\"c\\d</script><script>document.body.setAttribute("
                       "'data-hit','1')</script>\nx\"]);document.body.setAttribute("
                       "('data-hit'),'2');//");
    const QString name = nasty + QString(10000 - nasty.size(), QLatin1Char('n'));
    const QByteArray attribute = name.toHtmlEscaped().toUtf8();
    const QString title = QString(nasty).replace(QLatin1Char('\n'), QLatin1Char(' ')) +
                          QString(10000 - nasty.size(), QLatin1Char('t'));
    const QString titleScript = JavaScriptRunner::jsonLiteral(title).replace(u"</"_s, u"<\\/"_s);
    server.addPage(u"/nasty.html"_s,
                   "<!doctype html><style>html,body{margin:0}</style><body><iframe name=\"" +
                       attribute + "\" src=\"/frame.html\"></iframe><script>document.title = " +
                       titleScript.toUtf8() + ";</script></body>");
    showWindowPastFirstCompletion();
    load(u"/nasty.html"_s);
    ASSERT_SOON_EQ(host()->List1(), QStringList{name});
    // The engine keeps the start of a very long title; the label shows what it has.
    ASSERT_SOON(page(0)->title().startsWith(title.left(200)));
    EXPECT_EQ(control<QLabel>("Label2")->text(), page(0)->title());

    // A capture looks the name up in the page: as data, never as code.
    EXPECT_FALSE(capture().isNull());
    const auto hit = JavaScriptRunner(page(0)).run(
        QStringLiteral("document.querySelectorAll('[data-hit]').length + "
                       "document.getElementsByTagName('script').length"));
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->toInt(), 1); // the page's own title script, nothing more
}

TEST_F(Events, LoadFailuresShowTheirTextUntilTheNextLoad)
{
    showWindow();
    // One failure the server answers, one it never gets; the texts of the others are
    // NavigateErrorCode's tests'.
    const std::pair<QString, const char *> cases[] = {
        {url("/status/404"), "NOT_FOUND(404)"},
        {StalledServer::refusedUrl(), "CANNOT_CONNECT(-2146697212)"},
    };
    for (const auto &[address, text] : cases) {
        SCOPED_TRACE(address.toStdString());
        go(address);
        const QString error = u"%1 (%2)"_s.arg(QLatin1String(text), address);
        EXPECT_SOON_EQ(statusText(), error);
        // The error stays while it is current.
        ASSERT_SOON(!page(0)->isLoading());
        QApplication::processEvents();
        EXPECT_EQ(statusText(), error);
    }
    // The status text of the last hovered link was not touched.
    EXPECT_TRUE(window->LastStatusText.isEmpty());

    // The next load replaces the error: the panel shows the address loaded, then its end.
    QSignalSpy shown(control<QStatusBar>("StatusBar1"), &QStatusBar::messageChanged);
    go(url("/plain.html"));
    ASSERT_TRUE(shows(0, url("/plain.html")));
    EXPECT_SOON_EQ(statusText(), u"Done"_s);
    ASSERT_GE(shown.size(), 2);
    EXPECT_EQ(shown.first().first().toString(), url("/plain.html"));
}

// Also alerts in a loop, which the second box is told to stop, and the page carries on.
TEST_F(Events, WithSilentModeOffScriptBoxesAndLoginBoxesAreShownAndWork)
{
    server.addPage(u"/alerts.html"_s, "<!doctype html><script>for (let i = 0; i < 1000; ++i)"
                                      " alert('again ' + i); document.title = 'done';</script>");
    QStringList messages;
    DialogWatcher watcher([&](QDialog &dialog) {
        if (auto *message = dialog.findChild<QLabel *>(u"message"_s)) {
            messages.append(message->text());
            EXPECT_EQ(message->textFormat(), Qt::PlainText);
            if (message->text() == u"again 1"_s)
                dialog.findChild<QCheckBox *>(u"preventMore"_s)->setChecked(true);
        }
        if (auto *user = dialog.findChild<QLineEdit *>(u"user"_s)) {
            user->setText(u"user"_s);
            dialog.findChild<QLineEdit *>(u"password"_s)->setText(u"s3cret"_s);
        }
        dialog.accept();
    });
    showWindow();
    load(u"/alert.html"_s);
    EXPECT_SOON_EQ(page(0)->title(), u"after yes"_s);
    EXPECT_EQ(messages, (QStringList{u"Hello <b>there</b>"_s, u"Sure?"_s}));

    go(url("/secret.html"));
    EXPECT_SOON_EQ(page(0)->title(), u"secret page"_s);
    EXPECT_EQ(watcher.count, 3);

    load(u"/alerts.html"_s);
    EXPECT_SOON_EQ(page(0)->title(), u"done"_s);
    EXPECT_EQ(watcher.count, 5);
}

TEST_F(Events, WithSilentModeOnNoBoxNoLoginAndNoPopUp)
{
    DialogWatcher watcher([](QDialog &dialog) { dialog.reject(); });
    settings.setSilentSwitch(1);
    showWindow();
    load(u"/alert.html"_s);
    EXPECT_SOON_EQ(page(0)->title(), u"after no"_s);
    EXPECT_TRUE(view(0)->silent());

    const QString secret = url("/secret.html");
    go(secret);
    EXPECT_SOON_EQ(statusText(), u"DENIED(401) ("_s + secret + u")"_s);

    load(u"/opener.html"_s);
    EXPECT_SOON_EQ(page(0)->title(), u"opened"_s);
    // By the next load the engine has handed the window request over and it was turned down.
    load(u"/plain.html"_s);
    EXPECT_TRUE(server.lastRequest(u"/rows.html"_s).isEmpty());
    EXPECT_EQ(host()->ActiveBrowser(), 0);
    EXPECT_EQ(loadedViews(), 1);
    EXPECT_EQ(watcher.count, 0);

    // Unchecking the box later leaves the view silent.
    settings.setSilentSwitch(0);
    load(u"/alert.html"_s);
    EXPECT_SOON_EQ(page(0)->title(), u"after no"_s);
    EXPECT_EQ(watcher.count, 0);
}

TEST_F(Events, PopUpsInALoopStopAtTheLimitAndTheMainViewStays)
{
    server.addPage(u"/popups.html"_s, "<!doctype html><script>for (let i = 0; i < 100; ++i)"
                                      " window.open('/frame.html?' + i);"
                                      " document.title = 'done';</script>");
    int popUpLoads = 0;
    QObject::connect(&server, &LocalHttpServer::served, window.get(),
                     [&](const QString &path) { popUpLoads += path == u"/frame.html"_s ? 1 : 0; });
    showWindow();
    QSignalSpy titled(page(0), &QWebEnginePage::titleChanged);
    go(url("/popups.html"));
    // Waited for in an event loop: waits that sleep between passes slow a page asking for a
    // hundred windows to a crawl.
    while (page(0)->title() != u"done"_s)
        ASSERT_TRUE(titled.wait(120000));
    ASSERT_SOON_EQ(popUpLoads, FrmBrowser::MaxPopupViews);
    EXPECT_EQ(loadedViews(), 1 + FrmBrowser::MaxPopupViews);
    EXPECT_EQ(host()->ActiveBrowser(), FrmBrowser::MaxPopupViews);
    EXPECT_TRUE(visible(FrmBrowser::MaxPopupViews));

    // Closing a pop-up is PopUpsBecomeTheCurrentView's; the window with all of them open still
    // answers: it closes, and opens again on its main view alone, which asking to close
    // itself changes nothing.
    window->close();
    ASSERT_SOON(!window->isLoaded());
    showWindow();
    EXPECT_EQ(loadedViews(), 1);
    EXPECT_EQ(host()->ActiveBrowser(), 0);
    load(u"/plain.html"_s);
    EXPECT_EQ(popUpLoads, FrmBrowser::MaxPopupViews);
    runInPage(0, u"window.close(); document.title = 'asked';"_s);
    ASSERT_SOON_EQ(page(0)->title(), u"asked"_s);
    load(u"/frame.html"_s);
    EXPECT_EQ(host()->ActiveBrowser(), 0);
    EXPECT_TRUE(visible(0));
}

// Back, then a pop-up: the capture takes the pop-up; a pop-up opened during a capture stops
// it without a file. A frame of the pop-up navigating during its capture leaves it whole; the
// pop-up closing itself during its capture stops it, and the view goes only after it.
TEST_F(Events, CapturesTakeTheCurrentViewAndAPopUpDuringOneWritesNothing)
{
    QByteArray framed = rows::staticPage(3000);
    framed.replace("<body>", "<body><iframe name=\"ad\" src=\"/plain.html\" style=\""
                             "position:absolute; left:0; top:0; width:1px; height:1px;"
                             " border:0\"></iframe>");
    server.addPage(u"/framed.html"_s, framed);
    showWindow();
    load(u"/plain.html"_s);
    load(u"/rows.html?h=300"_s);
    ASSERT_SOON(toolbarAction(1)->isEnabled());
    press(1);
    ASSERT_TRUE(shows(0, url("/plain.html")));
    openPopUp(0, 1, "/rows.html?h=2000");
    rows::expectRows(capture(), 2000);

    QString failure;
    QObject::connect(host(), &CaptureHost::captureFailed, window.get(),
                     [&](const QString &message) { failure = message; });
    // Runs `script` in view `index` once band 2 is grabbed, and captures. The band waits until
    // the page's answer has arrived: on a loaded machine it came after the last band
    // otherwise, and there was nothing left to disturb.
    const auto atBand2 = [&](int index, const QString &script,
                             const std::function<bool()> &arrived) {
        bool done = false;
        const QObject once;
        QObject::connect(host(), &CaptureHost::bandCaptured, &once, [&](int band, int) {
            if (band == 2 && !done) {
                done = true;
                runInPage(index, script);
                EXPECT_TRUE(QTest::qWaitFor(arrived, 10000));
            }
        });
        const QImage image = capture();
        EXPECT_TRUE(done);
        return image;
    };
    EXPECT_TRUE(atBand2(1, u"window.open('/plain.html')"_s, [] { return true; }).isNull());
    EXPECT_EQ(failure, u"The screenshot was not taken: the page opened a new window."_s);
    ASSERT_SOON_EQ(host()->ActiveBrowser(), 2);
    EXPECT_SOON(visible(2));

    go(url("/framed.html"));
    ASSERT_TRUE(shows(2, url("/framed.html")));
    const QObject scope;
    bool frameMovedDuringCapture = false;
    QObject::connect(view(2), &BrowserView::BeforeNavigate2, &scope,
                     [&](const QString &, const QString &frame) {
                         frameMovedDuringCapture |= frame == u"ad"_s && host()->isCapturing();
                     });
    rows::expectRows(atBand2(2, u"frames['ad'].location.href = '/plain.html?2';"_s,
                             [&] { return frameMovedDuringCapture; }),
                     3000);
    EXPECT_TRUE(frameMovedDuringCapture);

    const QPointer<QWebEngineView> closing = view(2)->engineView();
    bool freedDuringCapture = false;
    QObject::connect(closing, &QObject::destroyed, &scope,
                     [&] { freedDuringCapture |= host() && host()->isCapturing(); });
    failure.clear();
    QSignalSpy closeRequested(page(2), &QWebEnginePage::windowCloseRequested);
    EXPECT_TRUE(
        atBand2(2, u"window.close();"_s, [&] { return !closeRequested.isEmpty(); }).isNull());
    EXPECT_EQ(failure, u"The screenshot was not taken: the browser view was closed."_s);
    ASSERT_SOON(closing.isNull());
    EXPECT_FALSE(freedDuringCapture);
    EXPECT_EQ(host()->ActiveBrowser(), 0);
    EXPECT_TRUE(visible(0));
}
