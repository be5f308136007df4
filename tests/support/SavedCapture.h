#pragma once

#include "capture/CaptureHost.h"

#include <QImage>
#include <QImageReader>
#include <QObject>

#include <functional>

namespace tessaly::test {

/// Runs `start` (which takes one screenshot on `host`) and decodes the file it wrote: a null
/// image when nothing was written. Decoding, not the return value, proves the file whole.
inline QImage savedCapture(CaptureHost &host, const std::function<void()> &start)
{
    QString written;
    const QObject scope; // ends the connection with this call
    QObject::connect(&host, &CaptureHost::captureSaved, &scope,
                     [&](const QString &path) { written = path; });
    start();
    if (written.isEmpty())
        return {};
    QImageReader reader(written);
    reader.setAllocationLimit(0);
    return reader.read();
}

} // namespace tessaly::test
