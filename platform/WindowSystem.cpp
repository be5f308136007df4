#include "platform/WindowSystem.h"

#include <QGuiApplication>

#ifdef TESSALY_HAVE_XCB
#include <xcb/xcb.h>
#endif

#include <cstdlib>
#include <memory>

namespace tessaly {

namespace {

#ifdef TESSALY_HAVE_XCB
xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto cookie = xcb_intern_atom(connection, 1, uint16_t(qstrlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// A compliant window manager names its check window on the root window, and the check
// window names itself.
xcb_window_t checkWindow(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t check)
{
    const auto cookie = xcb_get_property(connection, 0, window, check, XCB_ATOM_WINDOW, 0, 1);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply || reply->type != XCB_ATOM_WINDOW || xcb_get_property_value_length(reply.get()) < 4)
        return XCB_WINDOW_NONE;
    return *static_cast<xcb_window_t *>(xcb_get_property_value(reply.get()));
}

bool x11WindowManagerRunning()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return false;
    const xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK");
    if (check == XCB_ATOM_NONE)
        return false;
    const xcb_window_t wm = checkWindow(connection, screen->root, check);
    return wm != XCB_WINDOW_NONE && checkWindow(connection, wm, check) == wm;
}
#endif

} // namespace

bool windowManagerRunning()
{
    const QString platform = QGuiApplication::platformName();
#ifdef TESSALY_HAVE_XCB
    if (platform == QLatin1String("xcb"))
        return x11WindowManagerRunning();
#endif
    // Other windowing systems always place and size their windows themselves; the
    // offscreen one never does.
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace tessaly
