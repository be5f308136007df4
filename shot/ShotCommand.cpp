#include "shot/ShotCommand.h"

#include "browser/BrowserProfile.h"
#include "shot/ShotBatch.h"
#include "shot/ShotCapture.h"

#include <QWebEngineProfile>

#include <cstdio>

namespace tessaly {

int runShot(const ShotRequest &request)
{
    // Made before any view and gone after the last: every capture of the run shares it.
    const std::unique_ptr<QWebEngineProfile> profile =
        makeBrowserProfile(request.privateProfile            ? QString()
                           : request.profileFolder.isEmpty() ? sharedBrowserProfileFolder()
                                                             : request.profileFolder);
    if (!request.batchFile.isEmpty())
        return runShotBatch(request, profile.get());
    const Result<void> written = ShotCapture(request, profile.get()).run();
    if (written)
        return 0;
    std::fputs(qPrintable(QStringLiteral("tessaly-shot: ") + written.error() + u'\n'), stderr);
    return 1;
}

} // namespace tessaly
