#include "dialogs/PreviewLayout.h"

#include "drawing/Twips.h"

using namespace Qt::StringLiterals;

namespace tessaly {

namespace {

// The strip's first row in the coordinates of the dialog's original client area.
constexpr int StripTop = 232;

/// A number as the preview has always shown it: one blank before a non-negative value.
QString withSignSpace(int value)
{
    return value < 0 ? QString::number(value) : u" "_s + QString::number(value);
}

} // namespace

QSize PreviewLayout::thumbnailSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    if (width >= height)
        return QSize(ThumbnailBox, roundHalfEven(double(height) * ThumbnailBox / width));
    return QSize(roundHalfEven(double(width) * ThumbnailBox / height), ThumbnailBox);
}

QRect PreviewLayout::centredAndEnlarged(QSize dialog, QSize screen)
{
    // Integer division truncates towards zero, as the halving always has.
    const int x = (screen.width() - dialog.width()) / 2;
    const int y = (screen.height() - dialog.height()) / 2;
    return QRect(x, y, dialog.width(), dialog.height() + StripHeight);
}

QRect PreviewLayout::frameRect(int dialogWidth)
{
    return QRect(QPoint(10, 242 - StripTop), QPoint(dialogWidth - 18 - 1, 335 - StripTop - 1));
}

QPoint PreviewLayout::thumbnailOrigin()
{
    return QPoint(320, 250 - StripTop);
}

QRect PreviewLayout::clearRect(int dialogWidth)
{
    return QRect(20, 250 - StripTop, dialogWidth - 40, 80);
}

QList<QPoint> PreviewLayout::textOrigins()
{
    return {QPoint(20, 255 - StripTop), QPoint(20, 275 - StripTop), QPoint(20, 295 - StripTop)};
}

QStringList PreviewLayout::texts(const QString &fileNameText, bool hasPicture, qint64 fileSize,
                                 QSize pictureSize)
{
    if (fileNameText.trimmed().isEmpty() || !hasPicture)
        return {u"Filesize : N/A"_s, u"Image Height : N/A"_s, u"Image Width : N/A"_s};
    return {u"Filesize : "_s + QString::number(double(fileSize) / 1024.0, 'f', 2) + u" Kb"_s,
            u"Image Height :"_s + withSignSpace(pictureSize.height()) + u" Pixels"_s,
            u"Image Width :"_s + withSignSpace(pictureSize.width()) + u" Pixels"_s};
}

} // namespace tessaly
