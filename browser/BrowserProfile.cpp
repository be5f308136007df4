#include "browser/BrowserProfile.h"

#include <QDir>
#include <QStandardPaths>
#include <QWebEngineProfile>

namespace tessaly {

QString sharedBrowserProfileFolder()
{
    // Not the application's own data folder: the two programs have different names.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tessaly/browser");
}

std::unique_ptr<QWebEngineProfile> makeBrowserProfile(const QString &folder)
{
    if (folder.isEmpty())
        return std::make_unique<QWebEngineProfile>();
    const QString path = QDir(folder).absolutePath();
    auto profile = std::make_unique<QWebEngineProfile>(QStringLiteral("tessaly"));
    profile->setPersistentStoragePath(path);
    profile->setCachePath(path + QStringLiteral("/cache"));
    // Logins mostly live in cookies without an expiry date; kept too, a login made in the
    // capture window still holds for a later capture from the command line.
    profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    return profile;
}

} // namespace tessaly
