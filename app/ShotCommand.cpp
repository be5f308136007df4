#include "app/ShotCommand.h"

#include "app/ShotBatch.h"
#include "app/ShotCapture.h"

#include <cstdio>

namespace tessaly {

int runShot(const ShotRequest &request)
{
    if (!request.batchFile.isEmpty())
        return runShotBatch(request);
    const QString failure = ShotCapture(request).run();
    if (failure.isEmpty())
        return 0;
    std::fputs(qPrintable(QStringLiteral("tessaly-shot: ") + failure + u'\n'), stderr);
    return 1;
}

} // namespace tessaly
