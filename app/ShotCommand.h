#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace tessaly {

/// What `tessaly-shot` was asked to do.
struct ShotRequest
{
    QString url;
    QString output;
    QSize browserArea{1280, 700};
    QString watermark;
    int loadTimeoutMs = 60000;
};

/// Parses the command line; on a usage error returns nothing and sets `error`.
std::optional<ShotRequest> parseShotArguments(const QStringList &arguments, QString *error,
                                              bool *helpOrVersion);

/// Loads the page, captures it and writes the file. Returns the process exit code:
/// 0 written, 1 failed (with the reason on standard error).
int runShot(const ShotRequest &request);

} // namespace tessaly
