#pragma once

#include "settings/WriteResult.h"

#include <QString>

namespace tessaly::Modini {

/// The value of `key` in `section` of the profile file `path`, at most 254 characters;
/// "" when the file, the section or the key is absent.
QString ReadIni(const QString &section, const QString &key, const QString &path);

/// Stores `value` under `key` in `section` of the profile file `path`, creating the file
/// and the section when needed. True (a successful result) only when the file now holds it.
WriteResult WriteIni(const QString &section, const QString &key, const QString &value,
                     const QString &path);

} // namespace tessaly::Modini
