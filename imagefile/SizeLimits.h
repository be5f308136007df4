#pragma once

#include <QSize>
#include <QString>

namespace tessaly::SizeLimits {

/// Empty when both sides are within maxSide; otherwise a sentence naming the size and the limit.
QString sideProblem(QSize size, const QString &formatName, qint64 maxSide);

/// Empty when bytes fit within maxBytes; otherwise a sentence naming the size and the limit.
QString byteProblem(QSize size, const QString &formatName, qint64 bytes, qint64 maxBytes);

} // namespace tessaly::SizeLimits
