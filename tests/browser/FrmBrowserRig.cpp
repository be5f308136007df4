#include "FrmBrowserRig.h"

#include "browser/WebEngineBrowserView.h"

#include <QImageReader>
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
    QString written;
    QObject::connect(window->host(), &tessaly::CaptureHost::captureSaved, window.get(),
                     [&](const QString &path) { written = path; });
    control<QToolButton>("Command5")->click();
    if (written.isEmpty())
        return {};
    QImageReader reader(written);
    reader.setAllocationLimit(0);
    return reader.read();
}
