#pragma once

#include <QString>

#include <memory>

class QWebEngineProfile;

namespace tessaly {

/// The folder the capture window and tessaly-shot share for cookies, local storage and the
/// cache, so a site logged in to in one is logged in in the other.
QString sharedBrowserProfileFolder();

/// A browser profile kept in `folder` between runs, or, for an empty folder, one that keeps
/// nothing past its own life. Views made with it must be gone before it is.
std::unique_ptr<QWebEngineProfile> makeBrowserProfile(const QString &folder);

} // namespace tessaly
