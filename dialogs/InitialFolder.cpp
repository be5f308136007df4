#include "dialogs/InitialFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace tessaly {

QString InitialFolder::root()
{
    return QDir::rootPath();
}

QString InitialFolder::homeFolder()
{
    return QDir::homePath();
}

QString InitialFolder::desktop()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return QDir::cleanPath(folder);
    return homeFolder();
}

QString InitialFolder::resolve(const QString &text, const QString &desktopFolder,
                               const QString &home)
{
    if (text.isEmpty())
        return root();
    if (text.compare("Desktop"_L1, Qt::CaseInsensitive) == 0)
        return desktopFolder;
    QString folder = QDir::cleanPath(QDir(QDir::currentPath()).absoluteFilePath(text));
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).path();
        if (parent == folder)
            return home;
        folder = parent;
    }
    return folder;
}

} // namespace tessaly
