#pragma once

#include "imagefile/ImageEncoder.h"

namespace tessaly {

/// The encoders this build has: BMP, PNG and TIFF written here as the rows come, JPEG
/// through libjpeg, GIF through giflib.
EncoderList builtInEncoders();

} // namespace tessaly
