#pragma once

#include <QByteArray>

namespace tessaly {

/// What a look at the display's OpenGL found.
struct OpenGlFinding
{
    bool looked = false; ///< false: there is no display of a kind that can be asked
    QByteArray renderer; ///< GL_RENDERER; empty when the display has no OpenGL
};

/// Asks the X display named by DISPLAY which OpenGL renderer it gives a program; works
/// before the application object exists, so its answer can still choose the scene graph.
OpenGlFinding probeDisplayOpenGl();

} // namespace tessaly
