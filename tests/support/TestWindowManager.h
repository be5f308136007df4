#pragma once

#include <QRect>

#include <sys/types.h>

#include <memory>

class QWidget;

/// A real window manager for the window and dialog tests: frames, placement and focus as a
/// user's desktop has them, which the offscreen platform has none of.
///
/// Tests registered for it run each on an X server of their own (see tests/CMakeLists.txt),
/// so one manager per executable never meets another. Where the display is managed already
/// (a developer's desktop), nothing is started.
class TestWindowManager
{
public:
    /// Starts the manager named by TESSALY_TEST_WINDOW_MANAGER, when set, on $DISPLAY and
    /// waits until it manages the screen; the process ends with the object. Call before the
    /// application object is made, so that the toolkit meets the manager from its start.
    /// Exits the test run when the manager cannot be started.
    static std::unique_ptr<TestWindowManager> startIfAsked();

    ~TestWindowManager();
    TestWindowManager(const TestWindowManager &) = delete;
    TestWindowManager &operator=(const TestWindowManager &) = delete;

    /// The frame the window manager draws around the top-level `window`, on the screen, as
    /// the X server has it; the window's own rectangle when it is not reparented.
    static QRect frameOf(const QWidget &window);
    /// Where the X server has the top-left corner of `window`'s own area on the screen.
    static QPoint originOf(const QWidget &window);

private:
    explicit TestWindowManager(pid_t pid) : m_pid(pid) {}

    pid_t m_pid;
};
