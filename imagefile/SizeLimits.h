#pragma once

#include "base/Result.h"

#include <QSize>
#include <QString>

namespace tessaly::SizeLimits {

/// Succeeds when both sides are within maxSide; otherwise fails with a sentence naming the
/// size and the limit.
Result<void> checkSide(QSize size, const QString &formatName, qint64 maxSide);

/// Succeeds when bytes fit within maxBytes; otherwise fails with a sentence naming the size
/// and the limit.
Result<void> checkBytes(QSize size, const QString &formatName, qint64 bytes, qint64 maxBytes);

} // namespace tessaly::SizeLimits
