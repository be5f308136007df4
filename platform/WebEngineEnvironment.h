#pragma once

#include <QString>

namespace tessaly {

/// Sets up the process for the embedded browser; call before the application object
/// exists. Chromium's sandbox stays on, except for root, where Chromium cannot sandbox:
/// then it is switched off and the returned text says so (empty otherwise).
QString prepareWebEngineEnvironment();

} // namespace tessaly
