#pragma once

#include "drawing/Picture.h"

namespace tessaly {

/// The pictures a capture stamps when the user supplies none.
namespace BuiltInPictures {

/// 664 x 64, every pixel grey (192, 192, 192): stamping it changes nothing, since all its
/// pixels are its key colour.
Picture defaultWatermark();
/// 261 x 13, "Captured By Tessaly By Orvanel" in grey on white; white is its key colour.
/// Shipped as a picture so that output does not depend on the fonts installed.
Picture banner();

} // namespace BuiltInPictures
} // namespace tessaly
