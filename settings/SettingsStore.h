#pragma once

#include "settings/SettingsLocation.h"
#include "settings/WriteResult.h"

#include <QObject>
#include <QString>

#include <optional>

namespace tessaly {

/// The four settings of section "main" in the settings file, read and written one at a
/// time through Modini. A failed write is returned to the caller and, the first time only,
/// announced by writeFailed, so the window tells the user once and not at every keystroke.
class SettingsStore : public QObject
{
    Q_OBJECT
public:
    static constexpr QLatin1StringView Section{"main"};
    static constexpr QLatin1StringView SaveLocationKey{"savelocation"};
    static constexpr QLatin1StringView SaveTypeKey{"savetype"};
    static constexpr QLatin1StringView EnableWatermarkKey{"enablewatermark"};
    static constexpr QLatin1StringView SilentKey{"silent"};

    explicit SettingsStore(SettingsLocation location, QObject *parent = nullptr);

    const SettingsLocation &location() const { return m_location; }
    QString settingsFile() const { return m_location.settingsFile(); }
    QString watermarkFile() const { return m_location.watermarkFile(); }

    /// The stored text of `key` in section "main"; "" when absent.
    QString read(const QString &key) const;
    /// Stores `value` under `key` in section "main".
    WriteResult write(const QString &key, const QString &value);

    /// "savelocation": the save folder as typed; "" when absent.
    QString saveLocation() const;
    WriteResult setSaveLocation(const QString &folder);
    /// "savetype": ".bmp", ".gif", ".jpg", ".png" or ".tif" as stored; "" when absent.
    QString saveType() const;
    WriteResult setSaveType(const QString &type);
    /// "enablewatermark" as a check box value, 0 or 1; nullopt when the stored text is no
    /// such value (the box then keeps its state).
    std::optional<int> enableWatermark() const;
    /// Stores a check box value in decimal, "0" or "1".
    WriteResult setEnableWatermark(int checkValue);
    /// "silent", as enableWatermark().
    std::optional<int> silent() const;
    WriteResult setSilent(int checkValue);

    /// True once writeFailed has been emitted.
    bool failureReported() const { return m_failureReported; }

signals:
    /// The first failed write of this store, with a message fit to show the user.
    void writeFailed(const QString &message);

private:
    std::optional<int> readCheckValue(const QString &key) const;
    WriteResult report(WriteResult result);

    SettingsLocation m_location;
    bool m_failureReported = false;
};

} // namespace tessaly
