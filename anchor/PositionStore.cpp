#include "anchor/PositionStore.h"

#include <QSettings>

#include <utility>

namespace tessaly {

PositionStore::PositionStore(QString filePath) : m_filePath(std::move(filePath)) {}

bool PositionStore::validName(const QString &name)
{
    // Slashes would address another group, or for the native store another file.
    return !name.trimmed().isEmpty() && !name.contains(u'/') && !name.contains(u'\\');
}

bool PositionStore::validNames(const QString &application, const QString &section,
                               const QString &key, QString *error) const
{
    if (validName(application) && validName(section) && validName(key))
        return true;
    if (error) {
        *error = QStringLiteral("\"%1\", \"%2\", \"%3\" do not name a setting: each must be "
                                "non-empty and free of slashes")
                     .arg(application, section, key);
    }
    return false;
}

std::unique_ptr<QSettings> PositionStore::open(const QString &application) const
{
    if (m_filePath.isEmpty()) {
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           application);
    }
    return std::make_unique<QSettings>(m_filePath, QSettings::IniFormat);
}

std::optional<QString> PositionStore::read(const QString &application, const QString &section,
                                           const QString &key) const
{
    if (!validNames(application, section, key, nullptr))
        return std::nullopt;
    const auto settings = open(application);
    if (!m_filePath.isEmpty())
        settings->beginGroup(application);
    settings->beginGroup(section);
    const QVariant value = settings->value(key);
    if (settings->status() != QSettings::NoError || !value.isValid())
        return std::nullopt;
    return value.toString();
}

bool PositionStore::write(const QString &application, const QString &section, const QString &key,
                          const QString &value, QString *error) const
{
    if (!validNames(application, section, key, error))
        return false;
    const auto settings = open(application);
    if (settings->status() != QSettings::NoError) {
        if (error)
            *error = QStringLiteral("cannot read %1").arg(settings->fileName());
        return false;
    }
    if (!m_filePath.isEmpty())
        settings->beginGroup(application);
    settings->beginGroup(section);
    settings->setValue(key, value);
    settings->sync();
    if (settings->status() != QSettings::NoError || !settings->isWritable()) {
        if (error)
            *error = QStringLiteral("cannot write %1").arg(settings->fileName());
        return false;
    }
    return true;
}

} // namespace tessaly
