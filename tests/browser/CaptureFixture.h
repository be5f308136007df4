#pragma once

#include "browser/CaptureStage.h"
#include "browser/WebEngineBrowserView.h"
#include "capture/CaptureHost.h"
#include "capture/FixedLiveSettings.h"
#include "imagefile/SaveBitmapAs.h"
#include "support/LocalHttpServer.h"
#include "support/RowsPage.h"
#include "support/SavedCapture.h"
#include "support/TempDir.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace tessaly::test {

constexpr int AreaWidth = 1000;
constexpr int AreaHeight = 700;

/// A capture host around a real browser view in a window of its own, writing PNG files
/// into a temporary folder, with a local server for the test pages.
class RealCapture : public ::testing::Test
{
protected:
    RealCapture() : server(QStringLiteral(TESSALY_TEST_DATA)), stage(QSize(AreaWidth, AreaHeight))
    {
        stage.show();
        EXPECT_TRUE(writer.StartGdiplus(1));
        settings.setSaveLocation(dir.path() + QStringLiteral("/"));
        settings.setSaveType(QStringLiteral(".png"));
        host = std::make_unique<CaptureHost>(&stage, stage.container(), writer, settings);
        host->addView(stage.view());
        QObject::connect(host.get(), &CaptureHost::captureFailed, host.get(),
                         [this](const QString &message) { failure = message; });
    }

    void load(const QString &pathAndQuery)
    {
        ASSERT_TRUE(server.listening());
        QSignalSpy finished(stage.view()->engineView(), &QWebEngineView::loadFinished);
        stage.view()->Navigate(server.url(pathAndQuery).toString());
        // A load a test left running ends, unfinished, when this one starts.
        ASSERT_TRUE(QTest::qWaitFor([&] { return finished.contains(QVariantList{true}); }, 30000));
    }

    QImage capture()
    {
        return savedCapture(*host, [&] { host->Command5_Click(); });
    }

    TempDir dir;
    LocalHttpServer server;
    CaptureStage stage;
    SaveBitmapAs writer;
    FixedLiveSettings settings;
    std::unique_ptr<CaptureHost> host;
    QString failure; ///< the last failed capture's message
};

} // namespace tessaly::test
