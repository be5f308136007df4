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

Result<void> PositionStore::checkNames(const QString &application, const QString &section,
                                       const QString &key)
{
    if (validName(application) && validName(section) && validName(key))
        return {};
    return fail(QStringLiteral("\"%1\", \"%2\", \"%3\" do not name a setting: each must be "
                               "non-empty and free of slashes")
                    .arg(application, section, key));
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
    if (!checkNames(application, section, key))
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

Result<void> PositionStore::write(const QString &application, const QString &section,
                                  const QString &key, const QString &value) const
{
    if (Result<void> names = checkNames(application, section, key); !names)
        return names;
    const auto settings = open(application);
    if (settings->status() != QSettings::NoError)
        return fail(QStringLiteral("cannot read %1").arg(settings->fileName()));
    if (!m_filePath.isEmpty())
        settings->beginGroup(application);
    settings->beginGroup(section);
    settings->setValue(key, value);
    settings->sync();
    if (settings->status() != QSettings::NoError || !settings->isWritable())
        return fail(QStringLiteral("cannot write %1").arg(settings->fileName()));
    return {};
}

} // namespace tessaly
