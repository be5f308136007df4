#pragma once

#include <QString>

namespace tessaly {

/// The folder a dialog opens in, from the text its caller gives.
class InitialFolder
{
public:
    /// What an empty text stands for: the root of the file system.
    static QString root();
    /// The user's desktop folder, or the home folder when there is none.
    static QString desktop();

    /// "" gives root(); "Desktop" (any case) gives `desktopFolder`; any other text is taken
    /// as a path. A path that does not exist gives its nearest existing ancestor, or `home`
    /// when not even that exists.
    static QString resolve(const QString &text, const QString &desktopFolder = desktop(),
                           const QString &home = homeFolder());

private:
    static QString homeFolder();
};

} // namespace tessaly
