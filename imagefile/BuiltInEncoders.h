#pragma once

#include "imagefile/ImageEncoder.h"

namespace tessaly {

/// The encoders this build really has: Qt's writers for BMP, JPEG, TIFF and PNG where the
/// installation offers them (TIFF comes from a plugin that may be missing), and the giflib
/// encoder for GIF.
EncoderList builtInEncoders();

} // namespace tessaly
