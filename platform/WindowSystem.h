#pragma once

namespace tessaly {

/// Whether a window manager runs on the display: without one (a bare X server), requests to
/// maximize, minimize, move or size a window through it come to nothing, and a window has
/// to do those itself.
bool windowManagerRunning();

} // namespace tessaly
