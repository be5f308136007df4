#pragma once

#include "FakeBrowserView.h"
#include "capture/CaptureHost.h"
#include "capture/FixedLiveSettings.h"
#include "imagefile/SaveBitmapAs.h"
#include "support/SavedCapture.h"
#include "support/TempDir.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>

/// A capture window reduced to what a capture needs: a window, the container Picture1 at
/// (6, 72) inside it, a fake view and a host writing PNG files into a temporary folder.
struct CaptureRig
{
    static constexpr int ContainerWidth = 300;
    static constexpr int ContainerHeight = 200;

    explicit CaptureRig(int pageHeight, tessaly::TwipsScale scale = {15, 15})
    {
        window.resize(320, 300);
        auto *picture1 = new QWidget(&window);
        picture1->setGeometry(6, 72, ContainerWidth, ContainerHeight);
        window.show();

        EXPECT_TRUE(writer.StartGdiplus(1));
        settings.setSaveLocation(dir.path() + QStringLiteral("/"));
        settings.setSaveType(QStringLiteral(".png"));
        host = std::make_unique<tessaly::CaptureHost>(&window, picture1, writer, settings);
        host->setTwipsScale(scale);
        view = new FakeBrowserView(picture1, scale, pageHeight);
        host->addView(view);
    }

    /// Container height in twips at the default scale.
    static constexpr float P = ContainerHeight * 15.0f;

    /// What one capture ended in: the files written, the failures said, the last band grabbed.
    struct Outcome
    {
        QStringList saved;
        QStringList failed;
        int bands = 0;
    };

    /// Runs one capture and decodes what it wrote.
    QImage capture()
    {
        return tessaly::test::savedCapture(*host, [&] { host->Command5_Click(); });
    }

    /// The page measures `twips` high: the document is unreadable, one candidate is listed.
    void measureAs(float twips)
    {
        view->setDocumentReadable(false);
        host->addHeightCandidateTwips(twips);
    }

    /// Runs one capture, calling `duringBand` after every band grabbed.
    Outcome run(const std::function<void(int band)> &duringBand = {})
    {
        Outcome outcome;
        const QObject scope;
        QObject::connect(host.get(), &tessaly::CaptureHost::captureSaved, &scope,
                         [&](const QString &path) { outcome.saved.append(path); });
        QObject::connect(host.get(), &tessaly::CaptureHost::captureFailed, &scope,
                         [&](const QString &message) { outcome.failed.append(message); });
        QObject::connect(host.get(), &tessaly::CaptureHost::bandCaptured, &scope,
                         [&](int band, int) {
                             outcome.bands = band;
                             if (duringBand)
                                 duringBand(band);
                         });
        host->Command5_Click();
        return outcome;
    }

    TempDir dir;
    QWidget window;
    tessaly::SaveBitmapAs writer;
    tessaly::FixedLiveSettings settings;
    std::unique_ptr<tessaly::CaptureHost> host;
    FakeBrowserView *view = nullptr;
};
