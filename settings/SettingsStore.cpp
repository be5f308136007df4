#include "settings/SettingsStore.h"

#include "settings/Modini.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace tessaly {

SettingsStore::SettingsStore(SettingsLocation location, QObject *parent)
    : QObject(parent), m_location(std::move(location))
{
}

QString SettingsStore::read(const QString &key) const
{
    return Modini::ReadIni(Section, key, m_location.settingsFile());
}

WriteResult SettingsStore::write(const QString &key, const QString &value)
{
    const WriteResult folder = m_location.prepareFolder();
    if (!folder)
        return report(folder);
    return report(Modini::WriteIni(Section, key, value, m_location.settingsFile()));
}

WriteResult SettingsStore::report(WriteResult result)
{
    if (!result && !m_failureReported) {
        m_failureReported = true;
        emit writeFailed(u"The settings could not be saved.\n%1"_s.arg(result.error()));
    }
    return result;
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

WriteResult SettingsStore::setSaveLocation(const QString &folder)
{
    return write(SaveLocationKey, folder);
}

QString SettingsStore::saveType() const
{
    return read(SaveTypeKey);
}

WriteResult SettingsStore::setSaveType(const QString &type)
{
    return write(SaveTypeKey, type);
}

std::optional<int> SettingsStore::enableWatermark() const
{
    return readCheckValue(EnableWatermarkKey);
}

WriteResult SettingsStore::setEnableWatermark(int checkValue)
{
    return write(EnableWatermarkKey, QString::number(checkValue));
}

std::optional<int> SettingsStore::silent() const
{
    return readCheckValue(SilentKey);
}

WriteResult SettingsStore::setSilent(int checkValue)
{
    return write(SilentKey, QString::number(checkValue));
}

} // namespace tessaly
