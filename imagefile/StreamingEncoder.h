#pragma once

#include "imagefile/ImageEncoder.h"

namespace tessaly {

/// An encoder of a format that can be written as the rows come. A whole picture goes
/// through the same row stream, so a picture given at once and one given block by block
/// are written by the same code.
class StreamingEncoder : public ImageEncoder
{
public:
    StreamingEncoder(EncoderId id, QString mimeType) : m_id(id), m_mimeType(std::move(mimeType)) {}

    EncoderId id() const final { return m_id; }
    QString mimeType() const final { return m_mimeType; }
    Result<void> write(const QImage &image, QIODevice &device) const final
    {
        return writeAtQuality(image, device, 0);
    }
    Result<void> writeAtQuality(const QImage &image, QIODevice &device, int quality) const final
    {
        const std::unique_ptr<RowStream> stream = startStream(device, image.width(), quality);
        const Result<void> added = stream->addRows(
            image.format() == QImage::Format_RGB32 ? image
                                                   : image.convertToFormat(QImage::Format_RGB32));
        if (!added)
            return added;
        return stream->finish();
    }
    std::unique_ptr<RowStream> startStream(QIODevice &device, int width,
                                           int quality) const override = 0;

private:
    EncoderId m_id;
    QString m_mimeType;
};

} // namespace tessaly
