#include "platform/OpenGlProbe.h"

#ifdef TESSALY_HAVE_GLX
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#endif

#include <memory>

#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

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
    const int configWanted[] = {GLX_DRAWABLE_TYPE, GLX_PBUFFER_BIT, GLX_RENDER_TYPE, GLX_RGBA_BIT,
                                None};
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

#ifdef TESSALY_HAVE_GLX
namespace {

OpenGlFinding probeHere()
{
    const ErrorsIgnored quiet;
    const std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr),
                                                                     &XCloseDisplay);
    if (display)
        return {true, rendererOn(display.get())};
    return {};
}

// A display that does not answer must not hold the program's start for long.
constexpr int ProbeTimeoutMs = 5000;

} // namespace
#endif

OpenGlFinding probeDisplayOpenGl()
{
#ifdef TESSALY_HAVE_GLX
    // Asked in a child process: loading the display's OpenGL driver (a software one is
    // a compiler of its own) would keep some 100 MB in this process for its whole run.
    int channel[2];
    if (pipe(channel) != 0)
        return probeHere();
    const pid_t child = fork();
    if (child < 0) {
        close(channel[0]);
        close(channel[1]);
        return probeHere();
    }
    if (child == 0) {
        close(channel[0]);
        const OpenGlFinding found = probeHere();
        const QByteArray answer = (found.looked ? "L" : "N") + found.renderer;
        [[maybe_unused]] const ssize_t written =
            write(channel[1], answer.constData(), size_t(answer.size()));
        _exit(0);
    }
    close(channel[1]);
    QByteArray answer;
    pollfd wait{channel[0], POLLIN, 0};
    char buffer[256];
    while (poll(&wait, 1, ProbeTimeoutMs) > 0) {
        const ssize_t got = read(channel[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        answer.append(buffer, qsizetype(got));
    }
    close(channel[0]);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    if (answer.startsWith('L'))
        return {true, answer.mid(1)};
#endif
    return {};
}

} // namespace tessaly
