#include "settings/SettingsStore.h"

#include "settings/Modini.h"

#include <utility>

namespace tessaly {

SettingsStore::SettingsStore(SettingsLocation location) : m_location(std::move(location)) {}

QString SettingsStore::read(const QString &key) const
{
    return Modini::ReadIni(Section, key, m_location.settingsFile());
}

Result<void> SettingsStore::write(const QString &key, const QString &value)
{
    if (Result<void> folder = m_location.prepareFolder(); !folder)
        return folder;
    return Modini::WriteIni(Section, key, value, m_location.settingsFile());
}

std::optional<int> SettingsStore::readCheckValue(const QString &key) const
{
    bool isNumber = false;
    const int value = read(key).toInt(&isNumber);
    if (!isNumber || (value != 0 && value != 1))
        return std::nullopt;
    return value;
}

QString SettingsStore::saveLocation() const
{
    return read(SaveLocationKey);
}

Result<void> SettingsStore::setSaveLocation(const QString &folder)
{
    return write(SaveLocationKey, folder);
}

QString SettingsStore::saveType() const
{
    return read(SaveTypeKey);
}

Result<void> SettingsStore::setSaveType(const QString &type)
{
    return write(SaveTypeKey, type);
}

std::optional<int> SettingsStore::enableWatermark() const
{
    return readCheckValue(EnableWatermarkKey);
}

Result<void> SettingsStore::setEnableWatermark(int checkValue)
{
    return write(EnableWatermarkKey, QString::number(checkValue));
}

std::optional<int> SettingsStore::silent() const
{
    return readCheckValue(SilentKey);
}

Result<void> SettingsStore::setSilent(int checkValue)
{
    return write(SilentKey, QString::number(checkValue));
}

} // namespace tessaly
