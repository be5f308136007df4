#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace tessaly {

/// What the image preview remembers from one dialog to the next.
struct PreviewState
{
    /// The last content of the dialog's file-name box.
    QString fileNameText;
    /// The full path of the file whose picture is held; empty until one was previewed.
    QString previewPath;
    /// The held picture; null when the last previewed file was no picture.
    QImage picture;
    /// The dialog's size before it grew by the strip.
    QSize dialogSize;
};

} // namespace tessaly
