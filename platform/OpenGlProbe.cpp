#include "platform/OpenGlProbe.h"

#ifdef TESSALY_HAVE_GLX
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#endif

#include <memory>

namespace tessaly {

#ifdef TESSALY_HAVE_GLX
namespace {

// A server that refuses a context or buffer answers with an X error, whose default handler
// ends the process; here a refusal only means there is no OpenGL to use.
int ignoreXError(Display *, XErrorEvent *)
{
    return 0;
}

class ErrorsIgnored
{
public:
    ErrorsIgnored() : m_before(XSetErrorHandler(&ignoreXError)) {}
    ~ErrorsIgnored() { XSetErrorHandler(m_before); }
    ErrorsIgnored(const ErrorsIgnored &) = delete;
    ErrorsIgnored &operator=(const ErrorsIgnored &) = delete;

private:
    int (*m_before)(Display *, XErrorEvent *);
};

QByteArray rendererOn(Display *display)
{
    int errorBase = 0;
    int eventBase = 0;
    if (!glXQueryExtension(display, &errorBase, &eventBase))
        return {};
    const int configWanted[] = {GLX_DRAWABLE_TYPE, GLX_PBUFFER_BIT, GLX_RENDER_TYPE, GLX_RGBA_BIT, None};
    int count = 0;
    const std::unique_ptr<GLXFBConfig, decltype(&XFree)> configs(
        glXChooseFBConfig(display, DefaultScreen(display), configWanted, &count), &XFree);
    if (!configs || count < 1)
        return {};
    const GLXFBConfig config = configs.get()[0];
    const GLXContext context = glXCreateNewContext(display, config, GLX_RGBA_TYPE, nullptr, True);
    if (!context)
        return {};
    const int size[] = {GLX_PBUFFER_WIDTH, 1, GLX_PBUFFER_HEIGHT, 1, None};
    const GLXPbuffer buffer = glXCreatePbuffer(display, config, size);
    QByteArray renderer;
    if (buffer && glXMakeContextCurrent(display, buffer, buffer, context)) {
        renderer = reinterpret_cast<const char *>(glGetString(GL_RENDERER));
        glXMakeContextCurrent(display, None, None, nullptr);
    }
    if (buffer)
        glXDestroyPbuffer(display, buffer);
    glXDestroyContext(display, context);
    XSync(display, False); // errors of the calls above reach the handler before it goes
    return renderer;
}

} // namespace
#endif

OpenGlFinding probeDisplayOpenGl()
{
#ifdef TESSALY_HAVE_GLX
    const ErrorsIgnored quiet;
    const std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr), &XCloseDisplay);
    if (display)
        return {true, rendererOn(display.get())};
#endif
    return {};
}

} // namespace tessaly
