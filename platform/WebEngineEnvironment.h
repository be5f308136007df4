#pragma once

#include "platform/OpenGlProbe.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <optional>

namespace tessaly {

/// Sets up the process for the embedded browser; call before the application object
/// exists. The GPU is used where the display's OpenGL is drawn by hardware (see
/// withGpuChoice; TESSALY_GPU and QTWEBENGINE_CHROMIUM_FLAGS override). Chromium's sandbox
/// stays on, except for root, where Chromium cannot sandbox: then it is switched off. The
/// returned texts are notes for the user: the sandbox switched off, a TESSALY_GPU not
/// understood.
QStringList prepareWebEngineEnvironment();

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
/// name no GPU switch of their own and `use` says off, or says auto and `probe` (run only
/// then) looked at a display that has no OpenGL or draws it in software.
QByteArray withGpuChoice(const QByteArray &flags, GpuUse use,
                         const std::function<OpenGlFinding()> &probe);

/// Whether the browser's frames are to be shown by the software scene graph: the engine
/// flags switch the GPU off and the user chose no scene graph backend.
bool wantsSoftwareSceneGraph(const QByteArray &flags);

/// Adds `feature` to the engine features switched off (QTWEBENGINE_CHROMIUM_FLAGS), keeping
/// those the user switched off there; call before the application object exists.
void disableWebEngineFeature(const QByteArray &feature);

/// `flags` with `feature` among those its --disable-features switch names.
QByteArray withFeatureDisabled(const QByteArray &flags, const QByteArray &feature);

} // namespace tessaly
