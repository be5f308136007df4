#pragma once

#include "base/Result.h"

#include <QString>

namespace tessaly::Modini {

/// The value of `key` in `section` of the profile file `path`, at most 254 characters;
/// "" when the file, the section or the key is absent.
QString ReadIni(const QString &section, const QString &key, const QString &path);

/// Stores `value` under `key` in `section` of the profile file `path`, creating the file
/// and the section when needed. Succeeds only when the file now holds it.
Result<void> WriteIni(const QString &section, const QString &key, const QString &value,
                      const QString &path);

} // namespace tessaly::Modini
