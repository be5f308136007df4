#include "settings/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <utility>

using namespace Qt::StringLiterals;

namespace tessaly {

SettingsLocation::SettingsLocation(QString programFolder, QString configFolder,
                                   const WritableCheck &isWritable)
    : m_programFolder(std::move(programFolder)), m_configFolder(std::move(configFolder)),
      m_usesProgramFolder(isWritable(m_programFolder))
{
}

SettingsLocation SettingsLocation::forThisProgram()
{
    return SettingsLocation(QCoreApplication::applicationDirPath(), userConfigFolder());
}

QString SettingsLocation::userConfigFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(u"tessaly"_s);
}

bool SettingsLocation::acceptsNewFiles(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(u".tessaly-write-test-XXXXXX"_s));
    return probe.open(); // removed again when the probe goes
}

QString SettingsLocation::settingsFile() const
{
    // filePath joins without doubling the separator of a root folder.
    return QDir(folder()).filePath(u"settings.ini"_s);
}

QString SettingsLocation::watermarkFile() const
{
    return QDir(folder()).filePath(u"watermark.bmp"_s);
}

Result<void> SettingsLocation::prepareFolder() const
{
    if (QFileInfo(folder()).isDir())
        return {};
    if (QDir().mkpath(folder()))
        return {};
    return fail(u"The folder %1 cannot be created."_s.arg(QDir::toNativeSeparators(folder())));
}

} // namespace tessaly
