#pragma once

#include "base/Result.h"
#include "imagefile/RowStream.h"

#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QString>
#include <QUuid>

#include <memory>
#include <vector>

namespace tessaly {

/// Identifies one encoder of an encoder list, the way a class identifier names a codec.
using EncoderId = QUuid;

/// One image encoder: an identifier, the MIME type it writes, and the writing itself.
class ImageEncoder
{
public:
    virtual ~ImageEncoder() = default;

    virtual EncoderId id() const = 0;
    virtual QString mimeType() const = 0;

    /// Succeeds when a picture of this size fits the format; otherwise says why it does not,
    /// as a sentence the user can read.
    virtual Result<void> checkSize(QSize size) const = 0;

    /// Encodes an RGB32 image onto an open device with the format's default settings.
    /// Fails, with the reason, when the encoder gives up.
    virtual Result<void> write(const QImage &image, QIODevice &device) const = 0;
    /// The same at a quality from 1 (smallest file) to 100 (best picture), for formats
    /// that trade one for the other; the others ignore it.
    virtual Result<void> writeAtQuality(const QImage &image, QIODevice &device, int quality) const
    {
        Q_UNUSED(quality);
        return write(image, device);
    }

    /// Starts a picture of this width on an open, seekable device, to be given row by row at
    /// `quality` (as writeAtQuality; 0 or less for the default). By default the rows are
    /// gathered and written whole at the end; formats that can do better stream them.
    virtual std::unique_ptr<RowStream> startStream(QIODevice &device, int width, int quality) const;
};

/// Encoders in the order a lookup by MIME type tries them.
using EncoderList = std::vector<std::shared_ptr<const ImageEncoder>>;

} // namespace tessaly
