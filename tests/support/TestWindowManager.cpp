#include "TestWindowManager.h"

#include <QWidget>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype([](void *reply) { std::free(reply); })>;
using Connection =
    std::unique_ptr<xcb_connection_t, decltype([](xcb_connection_t *c) { xcb_disconnect(c); })>;

Connection connectToDisplay()
{
    Connection connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get()))
        return nullptr;
    return connection;
}

xcb_window_t rootOf(xcb_connection_t *connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

/// The window named by `window`'s property `property`, if it holds one.
xcb_window_t windowProperty(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property)
{
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4)
        return XCB_WINDOW_NONE;
    return *static_cast<xcb_window_t *>(xcb_get_property_value(reply.get()));
}

bool managed(xcb_connection_t *connection)
{
    // A manager names its check window on the root and on the window itself once it has
    // taken the screen over (EWMH); a stale property left by an ended one names no window
    // that points back.
    const xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const xcb_window_t window = windowProperty(connection, rootOf(connection), check);
    return window != XCB_WINDOW_NONE && windowProperty(connection, window, check) == window;
}

/// The child of the root window that holds `window`: the manager's frame, or the window.
xcb_window_t topOf(xcb_connection_t *connection, xcb_window_t window)
{
    for (;;) {
        Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
        if (!tree || tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE)
            return window;
        window = tree->parent;
    }
}

} // namespace

std::unique_ptr<TestWindowManager> TestWindowManager::startIfAsked()
{
    const char *command = std::getenv("TESSALY_TEST_WINDOW_MANAGER");
    if (!command || !*command)
        return nullptr;
    // A server started for this test alone may refuse the first connections for a moment
    // while several start at once.
    Connection connection = connectToDisplay();
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!connection && std::chrono::steady_clock::now() < limit) {
        poll(nullptr, 0, 50);
        connection = connectToDisplay();
    }
    const auto fail = [command](const char *why) {
        std::fprintf(stderr, "the window manager %s: %s\n", command, why);
        std::exit(1);
    };
    if (!connection)
        fail("no X display");
    if (managed(connection.get()))
        return nullptr;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Its notes on themes and menus are not the test's output.
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char *arguments[] = {const_cast<char *>(command), const_cast<char *>("--sm-disable"), nullptr};
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, command, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        fail(std::strerror(started));
    // No event loop runs yet: look at the root window, where the manager says that it has
    // taken the screen over, until it does or dies.
    while (!managed(connection.get())) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            fail("ended at its start");
        if (std::chrono::steady_clock::now() > limit)
            fail("did not take the screen over");
        poll(nullptr, 0, 50);
    }
    return std::unique_ptr<TestWindowManager>(new TestWindowManager(pid));
}

TestWindowManager::~TestWindowManager()
{
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
}

QRect TestWindowManager::frameOf(const QWidget &window)
{
    const Connection connection = connectToDisplay();
    if (!connection)
        return {};
    const xcb_window_t top = topOf(connection.get(), xcb_window_t(window.winId()));
    Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection.get(), xcb_get_geometry(connection.get(), top), nullptr));
    if (!geometry)
        return {};
    const int border = geometry->border_width;
    return QRect(geometry->x, geometry->y, geometry->width + 2 * border,
                 geometry->height + 2 * border);
}

QPoint TestWindowManager::originOf(const QWidget &window)
{
    const Connection connection = connectToDisplay();
    if (!connection)
        return {};
    Reply<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        connection.get(),
        xcb_translate_coordinates(connection.get(), xcb_window_t(window.winId()),
                                  rootOf(connection.get()), 0, 0),
        nullptr));
    return origin ? QPoint(origin->dst_x, origin->dst_y) : QPoint();
}
