#pragma once

#include "base/Result.h"

#include <QString>

#include <functional>

namespace tessaly {

/// Decides where "settings.ini" and "watermark.bmp" live: in the program folder, as the
/// program has always kept them, unless that folder does not take new files (an installed,
/// read-only copy); then in the user's configuration folder. The choice is made once, when
/// the location is built, so that reads and writes of one run agree.
class SettingsLocation
{
public:
    /// Tells whether new files can be created in a folder.
    using WritableCheck = std::function<bool(const QString &folder)>;

    SettingsLocation(QString programFolder, QString configFolder,
                     const WritableCheck &isWritable = &acceptsNewFiles);

    /// The executable's folder and "tessaly" in the user's configuration folder. Needs a
    /// running application object.
    static SettingsLocation forThisProgram();
    /// "tessaly" in the user's generic configuration folder (XDG config home).
    static QString userConfigFolder();
    /// True when a file can be created in `folder`: tried for real, since permission bits
    /// say nothing for the superuser or on a read-only file system.
    static bool acceptsNewFiles(const QString &folder);

    const QString &programFolder() const { return m_programFolder; }
    const QString &configFolder() const { return m_configFolder; }
    /// The folder in use: the program folder or the configuration folder.
    const QString &folder() const { return m_usesProgramFolder ? m_programFolder : m_configFolder; }
    bool usesProgramFolder() const { return m_usesProgramFolder; }

    QString settingsFile() const;
    QString watermarkFile() const;

    /// Creates the folder in use when it does not exist yet (the configuration folder on
    /// first use).
    Result<void> prepareFolder() const;

private:
    QString m_programFolder;
    QString m_configFolder;
    bool m_usesProgramFolder = true;
};

} // namespace tessaly
