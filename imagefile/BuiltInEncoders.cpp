#include "imagefile/BuiltInEncoders.h"

#include "imagefile/BmpEncoder.h"
#include "imagefile/GifEncoder.h"
#include "imagefile/JpegEncoder.h"
#include "imagefile/PngEncoder.h"
#include "imagefile/TiffEncoder.h"

namespace tessaly {

EncoderList builtInEncoders()
{
    return {std::make_shared<BmpEncoder>(), std::make_shared<JpegEncoder>(),
            std::make_shared<GifEncoder>(), std::make_shared<TiffEncoder>(),
            std::make_shared<PngEncoder>()};
}

} // namespace tessaly
