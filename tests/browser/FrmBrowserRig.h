#pragma once

#include "browser/FrmBrowser.h"
#include "capture/CaptureHost.h"
#include "capture/FixedLiveSettings.h"
#include "support/LocalHttpServer.h"
#include "support/TempDir.h"

#include <QMutex>
#include <QTest>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>

#include <gtest/gtest.h>

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

/// A capture window over a temporary save folder, with the browser's requests logged.
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
    void showWindow();
    /// Loads a page of the test server into the main view and waits for it.
    void load(const QString &pathAndQuery);
    /// Presses "Take Screenshot" and decodes the file it wrote (null if none).
    QImage capture();

    template <typename T = QWidget> T *control(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }

    TempDir dir;
    LocalHttpServer server;
    RequestLog requests;
    tessaly::FixedLiveSettings settings;
    std::unique_ptr<tessaly::FrmBrowser> window;
};
