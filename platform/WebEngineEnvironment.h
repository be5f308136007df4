#pragma once

#include <QByteArray>
#include <QString>

namespace tessaly {

/// Sets up the process for the embedded browser; call before the application object
/// exists. Chromium's sandbox stays on, except for root, where Chromium cannot sandbox:
/// then it is switched off and the returned text says so (empty otherwise).
QString prepareWebEngineEnvironment();

/// Whether the browser's frames are to be shown by the software scene graph: the engine
/// flags switch the GPU off and the user chose no scene graph backend.
bool wantsSoftwareSceneGraph(const QByteArray &flags);

/// Adds `feature` to the engine features switched off (QTWEBENGINE_CHROMIUM_FLAGS), keeping
/// those the user switched off there; call before the application object exists.
void disableWebEngineFeature(const QByteArray &feature);

/// `flags` with `feature` among those its --disable-features switch names.
QByteArray withFeatureDisabled(const QByteArray &flags, const QByteArray &feature);

} // namespace tessaly
