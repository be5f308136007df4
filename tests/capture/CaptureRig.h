#pragma once

#include "FakeBrowserView.h"
#include "capture/CaptureHost.h"
#include "imagefile/SaveBitmapAs.h"
#include "settings/FixedLiveSettings.h"
#include "support/SavedCapture.h"
#include "support/TempDir.h"

#include <QImage>
#include <QImageReader>
#include <QWidget>

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
        picture1 = new QWidget(&window);
        picture1->setGeometry(6, 72, ContainerWidth, ContainerHeight);
        picture1->setAutoFillBackground(true);
        QPalette palette = picture1->palette();
        palette.setColor(QPalette::Window, Qt::white);
        picture1->setPalette(palette);
        window.show();

        writer.StartGdiplus(1);
        settings.setSaveLocation(dir.path() + QStringLiteral("/"));
        settings.setSaveType(QStringLiteral(".png"));
        host = std::make_unique<tessaly::CaptureHost>(&window, picture1, writer, settings);
        host->setTwipsScale(scale);
        view = FakeBrowserView::create(picture1, scale, pageHeight);
        host->WebBrowser1.push_back(view);
    }

    /// Runs one capture and decodes what it wrote.
    QImage capture()
    {
        return tessaly::test::savedCapture(*host, [&] { host->Command5_Click(); });
    }

    TempDir dir;
    QWidget window;
    QWidget *picture1 = nullptr;
    tessaly::SaveBitmapAs writer;
    tessaly::FixedLiveSettings settings;
    std::unique_ptr<tessaly::CaptureHost> host;
    FakeBrowserView *view = nullptr;
};
