#include "dialogs/BrowsePaths.h"

#include "dialogs/InitialFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace tessaly {

QString BrowsePaths::titleOrDefault(const QString &title)
{
    return title.isEmpty() ? u"Select a Folder"_s : title;
}

QString BrowsePaths::folderOrDefault(const QString &folder)
{
    return folder.isEmpty() ? InitialFolder::root() : folder;
}

QString BrowsePaths::newFolderPath(const QString &selected, const QString &name)
{
    // filePath does not double the separator after a root folder.
    return QDir(selected).filePath(name);
}

bool BrowsePaths::FolderExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString BrowsePaths::StripAtNul(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

Result<void> BrowsePaths::checkFolderName(const QString &name)
{
    // A separator would make some other folder than a subfolder of the selection, and a
    // NUL would cut the name short.
    if (name.contains(u'/') || name.contains(QChar(u'\0')))
        return fail(u"A folder name cannot contain \"/\"."_s);
    return {};
}

Result<void> BrowsePaths::createFolder(const QString &path)
{
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        return fail(u"The name is not a valid folder name."_s);
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
        return {};
    return fail(QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace tessaly
