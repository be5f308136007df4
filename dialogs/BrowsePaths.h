#pragma once

#include "base/Result.h"

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
    /// Fails, saying why, when `name` cannot be the name of one new subfolder.
    static Result<void> checkFolderName(const QString &name);
    /// Creates the one folder `path` (its parent must exist). Fails with the system's
    /// reason when it cannot be created.
    static Result<void> createFolder(const QString &path);
};

} // namespace tessaly
