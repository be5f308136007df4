#pragma once

#include "platform/OpenGlProbe.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace tessaly {

/// The display's OpenGL as `probe` finds it, remembered in `file` under `key`: asking the
/// driver costs a quarter of a second at every start, and its answer changes only with the
/// display server or its driver. A different key, or no file, asks again and keeps the new
/// answer; an empty key (nothing to tell displays apart by) always asks.
OpenGlFinding cachedOpenGlFinding(const QString &file, const QByteArray &key,
                                  const std::function<OpenGlFinding()> &probe);

/// What tells this display apart from others: the machine's boot, DISPLAY and the X
/// server's vendor and release. Empty when there is no X display to ask.
QByteArray displayIdentity();

/// Where the answer for this user is kept.
QString openGlCacheFile();

} // namespace tessaly
