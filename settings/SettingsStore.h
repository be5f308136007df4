#pragma once

#include "base/Result.h"
#include "settings/SettingsLocation.h"

#include <QString>

#include <optional>

namespace tessaly {

/// The four settings of section "main" in the settings file, read and written one at a
/// time through Modini. A failed write is returned to the caller, who tells the user.
class SettingsStore
{
public:
    static constexpr QLatin1StringView Section{"main"};
    static constexpr QLatin1StringView SaveLocationKey{"savelocation"};
    static constexpr QLatin1StringView SaveTypeKey{"savetype"};
    static constexpr QLatin1StringView EnableWatermarkKey{"enablewatermark"};
    static constexpr QLatin1StringView SilentKey{"silent"};

    explicit SettingsStore(SettingsLocation location);

    const SettingsLocation &location() const { return m_location; }
    QString settingsFile() const { return m_location.settingsFile(); }
    QString watermarkFile() const { return m_location.watermarkFile(); }

    /// The stored text of `key` in section "main"; "" when absent.
    QString read(const QString &key) const;
    /// Stores `value` under `key` in section "main".
    Result<void> write(const QString &key, const QString &value);

    /// "savelocation": the save folder as typed; "" when absent.
    QString saveLocation() const;
    Result<void> setSaveLocation(const QString &folder);
    /// "savetype": ".bmp", ".gif", ".jpg", ".png" or ".tif" as stored; "" when absent.
    QString saveType() const;
    Result<void> setSaveType(const QString &type);
    /// "enablewatermark" as a check box value, 0 or 1; nullopt when the stored text is no
    /// such value (the box then keeps its state).
    std::optional<int> enableWatermark() const;
    /// Stores a check box value in decimal, "0" or "1".
    Result<void> setEnableWatermark(int checkValue);
    /// "silent", as enableWatermark().
    std::optional<int> silent() const;
    Result<void> setSilent(int checkValue);

private:
    std::optional<int> readCheckValue(const QString &key) const;

    SettingsLocation m_location;
};

} // namespace tessaly
