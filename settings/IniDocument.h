#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tessaly {

/// The text of a profile (INI) file, held as raw bytes so that a change touches nothing but
/// the value it changes: other lines, comments, line endings, a UTF-8 byte-order mark and
/// bytes that are not valid UTF-8 all stay as they were.
///
/// A section starts at a line "[name]"; within it, a line "key=value" holds one value.
/// Section and key names match without regard to case; names and values are trimmed of
/// blanks and tabs. Lines starting with ';' or '#' are comments. Of several equal keys
/// (also across repeated sections of one name) the first is the one read and replaced.
class IniDocument
{
public:
    explicit IniDocument(QByteArray bytes = {});

    const QByteArray &bytes() const { return m_bytes; }

    /// The trimmed value of `key` in `section`, as UTF-8 text; nullopt when the section or
    /// the key is absent.
    std::optional<QString> value(const QString &section, const QString &key) const;

    /// Replaces the value of `key` in `section` where it stands, or adds the key at the end
    /// of the section's keys, or appends the section at the end of the text. An entry that
    /// fails checkEntry() changes nothing and fails the same way.
    Result<void> setValue(const QString &section, const QString &key, const QString &value);

    /// Fails, saying why, when the entry cannot be written in this format (empty name, a
    /// line break, a name that would read back as something else).
    static Result<void> checkEntry(const QString &section, const QString &key,
                                   const QString &value);

private:
    struct Match;
    Match find(const QString &section, const QString &key) const;
    QByteArray lineEnding() const;
    void insert(qsizetype position, const QByteArray &lines);

    QByteArray m_bytes;
};

} // namespace tessaly
