#pragma once

#include "browser/FrmBrowser.h"
#include "browser/WebEngineBrowserView.h"
#include "capture/CaptureHost.h"
#include "capture/FixedLiveSettings.h"
#include "support/LocalHttpServer.h"
#include "support/SavedCapture.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMutex>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Waits, bounded, for a condition of the event-driven window, then checks it as gtest does.
#define ASSERT_SOON(cond) ASSERT_TRUE(QTest::qWaitFor([&] { return bool(cond); }, 10000)) << #cond
#define EXPECT_SOON(cond) EXPECT_TRUE(QTest::qWaitFor([&] { return bool(cond); }, 10000)) << #cond
#define SOON_EQ_(check, a, b)                                                                      \
    do {                                                                                           \
        (void)QTest::qWaitFor([&] { return (a) == (b); }, 10000);                                  \
        check(a, b);                                                                               \
    } while (false)
#define ASSERT_SOON_EQ(a, b) SOON_EQ_(ASSERT_EQ, a, b)
#define EXPECT_SOON_EQ(a, b) SOON_EQ_(EXPECT_EQ, a, b)

/// Records every request the browser makes and lets only those to 127.0.0.1 through, so
/// that the home page is asked for but never fetched.
class RequestLog : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QUrl url = info.requestUrl();
        QMutexLocker lock(&m_mutex);
        m_urls.append(url.toString());
        if (url.host() != QLatin1String("127.0.0.1"))
            info.block(true);
    }
    QStringList urls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_urls;
    }

private:
    mutable QMutex m_mutex;
    QStringList m_urls;
};

/// Hands each box the views show (script, login) to `answer` to fill in and close; the boxes
/// run their own loops, so they are looked for on a timer.
class DialogWatcher : public QObject
{
public:
    explicit DialogWatcher(std::function<void(QDialog &)> answer) : m_answer(std::move(answer))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget *widget : QApplication::allWidgets()) {
                auto *dialog = qobject_cast<QDialog *>(widget);
                if (dialog && dialog->isVisible() && !m_answered.contains(dialog)) {
                    m_answered.append(dialog);
                    ++count;
                    m_answer(*dialog);
                }
            }
        });
        m_timer.start(20);
    }
    int count = 0;

private:
    std::function<void(QDialog &)> m_answer;
    QList<QPointer<QDialog>> m_answered;
    QTimer m_timer;
};

/// A capture window over a temporary save folder, with the browser's requests logged, and
/// helpers for driving its views as a user does.
class WindowRig : public ::testing::Test
{
protected:
    WindowRig() : server(QStringLiteral(TESSALY_TEST_DATA))
    {
        QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&requests);
        settings.setSaveLocation(dir.path() + QStringLiteral("/"));
        settings.setSaveType(QStringLiteral(".png"));
        window = std::make_unique<tessaly::FrmBrowser>(settings,
                                                       dir.file(QStringLiteral("watermark.bmp")));
    }
    ~WindowRig() override
    {
        window.reset();
        QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(nullptr);
    }

    /// Shows the window and waits until it is on the screen with its first navigation issued.
    void showWindow()
    {
        window->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return requests.urls().contains(tessaly::FrmBrowser::HomePageUrl.toString()); },
            20000));
    }
    /// Loads a page of the test server into the current view and waits for it.
    void load(const QString &pathAndQuery)
    {
        ASSERT_TRUE(server.listening());
        auto *engine = view(host()->ActiveBrowser())->engineView();
        const QString address = server.url(pathAndQuery).toString();
        QSignalSpy finished(engine, &QWebEngineView::loadFinished);
        host()->activeView()->Navigate(address);
        // The blocked home page may still report its end first.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return engine->url().toString() == address && !finished.isEmpty() &&
                       finished.last().first().toBool();
            },
            30000));
    }
    /// Presses "Take Screenshot" and decodes the file it wrote (null if none).
    QImage capture()
    {
        return tessaly::test::savedCapture(*host(),
                                           [&] { control<QToolButton>("Command5")->click(); });
    }

    template <typename T = QWidget> T *control(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    tessaly::CaptureHost *host() const { return window->host(); }
    tessaly::WebEngineBrowserView *view(int index) const
    {
        const auto &views = host()->WebBrowser1();
        if (index < 0 || index >= int(views.size()))
            return nullptr;
        return qobject_cast<tessaly::WebEngineBrowserView *>(views[std::size_t(index)].data());
    }
    QWebEnginePage *page(int index) const
    {
        tessaly::WebEngineBrowserView *v = view(index);
        return v && v->engineView() ? v->engineView()->page() : nullptr;
    }
    QAction *toolbarAction(int position) const
    {
        return control<QToolBar>("Toolbar1")->actions().at(position - 1);
    }
    QStringList menuTexts(int position) const
    {
        QStringList texts;
        for (QAction *entry : toolbarAction(position)->menu()->actions())
            texts.append(entry->text());
        return texts;
    }
    QString statusText() const { return control<QStatusBar>("StatusBar1")->currentMessage(); }
    QString addressText() const { return control<QLineEdit>("Text1")->text(); }
    QString url(const char *path) const { return server.url(QString::fromLatin1(path)).toString(); }
    bool visible(int index) const { return view(index) && view(index)->engineView()->isVisible(); }

    void go(const QString &address)
    {
        auto *text1 = control<QLineEdit>("Text1");
        text1->setText(address);
        QTest::keyClick(text1, Qt::Key_Return);
    }
    /// Presses a toolbar button (1 Back ... 5 Home) on its face, not its menu arrow.
    void press(int position)
    {
        auto *button = qobject_cast<QToolButton *>(
            control<QToolBar>("Toolbar1")->widgetForAction(toolbarAction(position)));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    /// Waits until view `index` shows `address`, loaded.
    bool shows(int index, const QString &address)
    {
        return QTest::qWaitFor(
            [&] {
                QWebEnginePage *p = page(index);
                return p && p->url().toString() == address && !p->isLoading();
            },
            20000);
    }
    void runInPage(int index, const QString &script)
    {
        if (QWebEnginePage *p = page(index))
            p->runJavaScript(script);
    }

    TempDir dir;
    LocalHttpServer server;
    RequestLog requests;
    tessaly::FixedLiveSettings settings;
    std::unique_ptr<tessaly::FrmBrowser> window;
};
