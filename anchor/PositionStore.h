#pragma once

#include "base/Result.h"

#include <QString>

#include <memory>
#include <optional>

class QSettings;

namespace tessaly {

/// The per-user store a window position is kept in: application, section and key to text.
///
/// By default it is this system's own per-user settings store (QSettings in its native
/// per-user form, one store per application). Given a file path it keeps everything in that
/// one INI file instead, the application being the outermost group, so tests use a
/// temporary file.
class PositionStore
{
public:
    PositionStore() = default;
    explicit PositionStore(QString filePath);

    /// The stored text; nothing when there is none or the names cannot address a setting.
    std::optional<QString> read(const QString &application, const QString &section,
                                const QString &key) const;
    /// Stores `value` and flushes it to disk. Fails, with the reason, when the names cannot
    /// address a setting or the store cannot be written.
    Result<void> write(const QString &application, const QString &section, const QString &key,
                       const QString &value) const;

    /// Empty for the native per-user store.
    QString filePath() const { return m_filePath; }

private:
    std::unique_ptr<QSettings> open(const QString &application) const;
    static bool validName(const QString &name);
    static Result<void> checkNames(const QString &application, const QString &section,
                                   const QString &key);

    QString m_filePath;
};

} // namespace tessaly
