#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace tessaly {

/// Sets up the process for the embedded browser; call before the application object
/// exists. Chromium's sandbox stays on, except for root, where Chromium cannot sandbox:
/// then it is switched off and the returned text says so (empty otherwise).
QString prepareWebEngineEnvironment();

/// What TESSALY_GPU asks of the browser's GPU use.
enum class GpuUse
{
    Auto, ///< unset, empty or "auto": on where the display has a hardware OpenGL renderer
    On,   ///< "on": always tried
    Off   ///< "off": never
};

/// TESSALY_GPU's value read as a choice; no value for a text that names none.
std::optional<GpuUse> gpuUseFromText(const QByteArray &text);

/// Whether an OpenGL renderer's name (GL_RENDERER) is one that draws on the processor.
bool isSoftwareRenderer(const QByteArray &renderer);

/// The engine flags to run with: `flags` as the user gave them, plus --disable-gpu when they
/// name no GPU switch of their own and `use` says off, or says auto and `renderer` (asked
/// only then) finds no OpenGL (no value) or a software renderer.
QByteArray withGpuChoice(const QByteArray &flags, GpuUse use,
                         const std::function<std::optional<QByteArray>()> &renderer);

/// Chooses whether the browser uses the GPU and how its frames are shown, from
/// QTWEBENGINE_CHROMIUM_FLAGS, TESSALY_GPU and the display's OpenGL renderer; call once the
/// application object exists, before the first browser view. The returned text is a
/// warning for the user (empty when there is none).
QString chooseWebEngineGraphics();

/// Whether the browser's frames are to be shown by the software scene graph: the engine
/// flags switch the GPU off and the user chose no scene graph backend.
bool wantsSoftwareSceneGraph(const QByteArray &flags);

/// Adds `feature` to the engine features switched off (QTWEBENGINE_CHROMIUM_FLAGS), keeping
/// those the user switched off there; call before the application object exists.
void disableWebEngineFeature(const QByteArray &feature);

/// `flags` with `feature` among those its --disable-features switch names.
QByteArray withFeatureDisabled(const QByteArray &flags, const QByteArray &feature);

} // namespace tessaly
