#pragma once

#include <QString>

namespace tessaly {

/// The path rules of the folder browser.
class BrowsePaths
{
public:
    /// The text above the folder tree when the caller gives none: "Select a Folder".
    static QString titleOrDefault(const QString &title);
    /// The folder preselected when the caller gives none: the file system root.
    static QString folderOrDefault(const QString &folder);
    /// The new subfolder `name` of `selected`.
    static QString newFolderPath(const QString &selected, const QString &name);
    /// True when anything (folder or file) stands at `path`.
    static bool FolderExists(const QString &path);
    /// The part of `text` before its first NUL character, or all of it.
    static QString StripAtNul(const QString &text);
    /// Why `name` cannot be the name of one new subfolder; empty when it can.
    static QString folderNameProblem(const QString &name);
    /// Creates the one folder `path` (its parent must exist). False with the system's
    /// reason in `reason` when it cannot be created.
    static bool createFolder(const QString &path, QString *reason);
};

} // namespace tessaly
