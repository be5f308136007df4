#pragma once

#include "base/Result.h"
#include "shot/ShotRequest.h"

#include <QString>
#include <QStringList>

#include <vector>

class QWebEngineProfile;

namespace tessaly {

/// One line of a batch file that asks for a capture.
struct BatchLine
{
    int number = 0;            ///< 1 for the file's first line
    Result<QStringList> words; ///< URL OUTPUT [options], or why the line could not be split
};

/// The lines of a batch file's text that ask for captures: blank lines and lines whose
/// first non-blank character is # are skipped; each other line is split as a shell would.
std::vector<BatchLine> readBatchLines(const QString &text);

/// Runs every capture of request.batchFile in this process, one after another; a failing
/// line is reported with its number and the others go on. Returns the exit code: 0 when
/// every line was written, 1 when any failed, 2 when the file cannot be read.
int runShotBatch(const ShotRequest &request, QWebEngineProfile *profile = nullptr);

} // namespace tessaly
