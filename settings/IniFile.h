#pragma once

#include "base/Result.h"

#include <QString>

namespace tessaly {

/// A profile (INI) file on disk, read afresh at every call and rewritten atomically at every
/// change. See IniDocument for the format and what a change preserves.
class IniFile
{
public:
    /// Values read are cut to this many characters.
    static constexpr qsizetype MaxValueLength = 254;
    /// A file larger than this is not taken for a profile file: reads give the default and
    /// writes refuse to replace it.
    static constexpr qint64 MaxFileSize = 32 * 1024 * 1024;

    explicit IniFile(QString path);

    const QString &path() const { return m_path; }

    /// The value of `key` in `section` (names matched ignoring case), trimmed and cut to
    /// MaxValueLength; `defaultValue`, cut the same way, when the file, the section or the
    /// key is absent or the file cannot be read.
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue = QString()) const;

    /// Stores `value` under `key` in `section`, creating the file and the section when they
    /// do not exist. The file is replaced only by a complete new version; on failure it is
    /// left as it was and the result says why.
    Result<void> setValue(const QString &section, const QString &key, const QString &value);

private:
    QString m_path;
};

} // namespace tessaly
