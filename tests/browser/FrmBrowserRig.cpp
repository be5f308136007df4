#include "FrmBrowserRig.h"

#include "browser/WebEngineBrowserView.h"
#include "support/SavedCapture.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWebEngineView>

void WindowRig::showWindow()
{
    window->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return requests.urls().contains(tessaly::FrmBrowser::HomePageUrl.toString()); },
        20000));
}

void WindowRig::load(const QString &pathAndQuery)
{
    ASSERT_TRUE(server.listening());
    auto *engine = control<QWebEngineView>("WebBrowser1_0");
    ASSERT_NE(engine, nullptr);
    const QString url = server.url(pathAndQuery).toString();
    QSignalSpy finished(engine, &QWebEngineView::loadFinished);
    window->host()->activeView()->Navigate(url);
    // The blocked home page may still report its end first.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return engine->url().toString() == url && !finished.isEmpty() &&
                   finished.last().first().toBool();
        },
        30000));
}

QImage WindowRig::capture()
{
    return tessaly::test::savedCapture(*window->host(),
                                       [&] { control<QToolButton>("Command5")->click(); });
}
