#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace tessaly {

/// Geometry and texts of the image preview strip that the open-image dialog grows by.
///
/// Strip coordinates are pixels from the strip's top-left corner; the strip starts 232
/// pixels below the top of the dialog's original client area, so its etched box begins 10
/// pixels into the strip.
class PreviewLayout
{
public:
    static constexpr int StripHeight = 107;
    static constexpr int ThumbnailBox = 80;

    /// The largest size inside an 80 x 80 box with the picture's aspect ratio, rounded to
    /// nearest, halves to even; an empty size for a picture without width or height.
    static QSize thumbnailSize(int width, int height);

    /// The dialog centred on the screen by its size before the enlargement (halves
    /// truncated), then StripHeight pixels taller.
    static QRect centredAndEnlarged(QSize dialog, QSize screen);

    /// The etched box round the preview, for a dialog `dialogWidth` pixels wide.
    static QRect frameRect(int dialogWidth);
    /// Where the thumbnail's top-left corner goes.
    static QPoint thumbnailOrigin();
    /// The area cleared before a new picture is shown.
    static QRect clearRect(int dialogWidth);
    /// Top-left corners of the three text lines: size, height, width.
    static QList<QPoint> textOrigins();

    /// The three lines: "Filesize : 2.50 Kb", "Image Height : 480 Pixels", "Image Width :
    /// 640 Pixels"; the "N/A" forms when the file-name box is blank or no picture is held.
    static QStringList texts(const QString &fileNameText, bool hasPicture, qint64 fileSize,
                             QSize pictureSize);
};

} // namespace tessaly
