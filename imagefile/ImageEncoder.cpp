#include "imagefile/ImageEncoder.h"

#include "imagefile/WholePictureStream.h"

namespace tessaly {

std::unique_ptr<RowStream> ImageEncoder::startStream(QIODevice &device, int width,
                                                     int quality) const
{
    return std::make_unique<WholePictureStream>(
        width, [this, &device, quality](const QImage &picture) {
            return quality > 0 ? writeAtQuality(picture, device, quality) : write(picture, device);
        });
}

} // namespace tessaly
