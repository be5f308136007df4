#include "imagefile/BuiltInEncoders.h"

#include "imagefile/GifEncoder.h"
#include "imagefile/PngEncoder.h"
#include "imagefile/QtImageEncoder.h"

namespace tessaly {

EncoderList builtInEncoders()
{
    using Format = QtImageEncoder::Format;
    EncoderList encoders;
    const auto addQt = [&encoders](Format format) {
        if (QtImageEncoder::isAvailable(format))
            encoders.push_back(std::make_shared<QtImageEncoder>(format));
    };
    addQt(Format::Bmp);
    addQt(Format::Jpeg);
    encoders.push_back(std::make_shared<GifEncoder>());
    addQt(Format::Tiff);
    encoders.push_back(std::make_shared<PngEncoder>());
    return encoders;
}

} // namespace tessaly
