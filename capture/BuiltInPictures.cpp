#include "capture/BuiltInPictures.h"

#include "drawing/Colour.h"

#include <QImage>

static void initCaptureResources()
{
    Q_INIT_RESOURCE(capture);
}

namespace tessaly::BuiltInPictures {

Picture defaultWatermark()
{
    QImage image(664, 64, QImage::Format_RGB32);
    image.fill(toQRgb(rgbColour(192, 192, 192)));
    return Picture(image);
}

Picture banner()
{
    // The resource lives in a static library: make sure it is registered.
    initCaptureResources();
    return Picture(QImage(QStringLiteral(":/tessaly/banner.png")));
}

} // namespace tessaly::BuiltInPictures
