#pragma once

#include "base/Result.h"
#include "shot/ShotRequest.h"

#include <QDeadlineTimer>
#include <QRectF>
#include <QString>

#include <optional>

class QWebEngineProfile;

namespace tessaly {

class CaptureStage;

/// One capture from the command line: loads the page in a stage of its own, prepares it as
/// asked (style, hidden elements, script, waits), captures it with the capture routines of
/// the capture window and writes the file, cut to an element when asked. The application
/// object and its browser outlive it; a batch runs one after another in the same process.
class ShotCapture
{
public:
    /// `profile` (cookies, storage) outlives the capture; null for the toolkit's default.
    explicit ShotCapture(ShotRequest request, QWebEngineProfile *profile = nullptr);

    /// Writes the file, or fails with why not, as a line for the user. Nothing is written
    /// when the capture fails, and an existing file is left as it was.
    Result<void> run();

private:
    Result<void> load(CaptureStage &stage);
    Result<void> prepare(CaptureStage &stage);
    Result<void> capture(CaptureStage &stage);
    /// Milliseconds a step may take: `bound`, or less when the whole capture's time runs
    /// out first (at least 1).
    int within(int bound) const;
    /// What loading, the user's script and --wait-for may take: the rest of the whole
    /// capture's time, or each its own bound when there is none.
    int stepBound() const;
    bool expired() const;
    QString timedOut(const QString &doing) const;
    /// A page step's failure: the time running out while `doing`, or else `why`.
    Failure failedStep(const QString &doing, const QString &why) const;

    ShotRequest m_request;
    QWebEngineProfile *m_profile = nullptr;
    QDeadlineTimer m_deadline;
    std::optional<QRectF> m_elementBox; ///< CSS pixels, measured before the capture
};

} // namespace tessaly
