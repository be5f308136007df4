#include "dialogs/FramedWindow.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace tessaly::FramedWindow {

namespace {

/// Waits on the window for its first exposure, then hands over once, and goes.
class ExposeWatch : public QObject
{
public:
    ExposeWatch(QWidget &owner, QWindow &window, std::function<void()> framed)
        : QObject(&owner), m_window(window), m_framed(std::move(framed))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window && event->type() == QEvent::Expose && m_window.isExposed()) {
            m_window.removeEventFilter(this);
            // After the expose itself, when the frame's geometry events before it are in.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_framed();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWindow &m_window;
    std::function<void()> m_framed;
};

} // namespace

QRect geometry(const QWidget &window)
{
    // The window's own answer asks the window system for the frame afresh; the widget's
    // may still hold the frameless guess made before the window was mapped.
    const QWindow *handle = window.windowHandle();
    return handle && window.isVisible() ? handle->frameGeometry() : window.frameGeometry();
}

void moveTo(QWidget &window, QPoint corner)
{
    if (QWindow *handle = window.windowHandle(); handle && window.isVisible())
        handle->setFramePosition(corner);
    else
        window.move(corner);
}

void whenFramed(QWidget &window, std::function<void()> framed)
{
    if (QWindow *handle = window.windowHandle())
        new ExposeWatch(window, *handle, std::move(framed)); // owned by the window
    else
        framed();
}

} // namespace tessaly::FramedWindow
