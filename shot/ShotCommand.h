#pragma once

#include "shot/ShotRequest.h"

namespace tessaly {

/// Runs what the command line asked for: one capture, or a batch. Returns the process exit
/// code: 0 written, 1 failed (with the reason on standard error), 2 a batch file that
/// cannot be read.
int runShot(const ShotRequest &request);

} // namespace tessaly
