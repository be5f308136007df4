// The capture window's own frame: drag handles, edge zones and their pointer shapes, the
// resize and move loop, the caption buttons, and ViewHeight following Picture1.
#include "browser/FrmBrowser.h"

#include "ui_FrmBrowser.h"

#include "capture/CaptureHost.h"
#include "platform/WindowSystem.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace tessaly {

TwipsRect FrmBrowser::windowTwips() const
{
    return {float(x()) * PixelTwipsX, float(y()) * PixelTwipsY, float(width()) * PixelTwipsX,
            float(height()) * PixelTwipsY};
}

QPointF FrmBrowser::GetCursorTwips() const
{
    const QPoint at = QCursor::pos(screen());
    return {double(float(at.x()) * PixelTwipsX), double(float(at.y()) * PixelTwipsY)};
}

void FrmBrowser::SetCursorTwips(QPointF twips) const
{
    QCursor::setPos(screen(), roundHalfEven(double(float(twips.x()) / PixelTwipsX)),
                    roundHalfEven(double(float(twips.y()) / PixelTwipsY)));
}

void FrmBrowser::setPointerShape(PointerShape shape)
{
    if (shape == m_shape && testAttribute(Qt::WA_SetCursor))
        return;
    m_shape = shape;
    setCursor(toCursorShape(shape));
}

bool FrmBrowser::framesLocked() const
{
    // A capture measures and walks Picture1 as it stands: the window keeps its place and
    // size until the capture is done.
    return m_host && m_host->isCapturing();
}

// Caption buttons.

void FrmBrowser::Command1_Click()
{
    // The button itself goes with the controls: close once its click has been handled.
    QTimer::singleShot(0, this, [this] { close(); });
}

void FrmBrowser::Command2_Click()
{
    if (framesLocked())
        return;
    if (windowManagerRunning()) {
        if (isMaximized())
            showNormal();
        else
            showMaximized();
        return;
    }
    // Nothing manages window states: cover the screen and come back by hand.
    if (m_maximizedByUs) {
        m_maximizedByUs = false;
        setGeometry(m_normalGeometry);
    } else if (const QScreen *s = screen()) {
        m_normalGeometry = geometry();
        m_maximizedByUs = true;
        setGeometry(s->availableGeometry());
    }
}

void FrmBrowser::Command3_Click()
{
    // A minimized window stops drawing its views, which a running capture grabs.
    if (framesLocked())
        return;
    showMinimized();
}

// Drag handles.

void FrmBrowser::DragForm(QWidget *frm)
{
    if (!frm || framesLocked())
        return;
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    QWindow *window = frm->window()->windowHandle();
    if (window && window->startSystemMove())
        return;
    if (frm->window() != this)
        return;
    // The point pressed stays under the pointer, from the pointer's place now on.
    const QPointF pressedAt = m_pressedHandle ? m_handlePressTwips : GetCursorTwips();
    beginFrameLoop(FrameZones::movePress(pressedAt, windowTwips()));
    frameLoopPass();
}

bool FrmBrowser::handleDragHandle(QWidget *handle, QEvent *event)
{
    auto *mouse = static_cast<QMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // A handle drags only when pressed on its own surface, not through a control in it;
        // the press passes on to the handle's containers, which leave it alone.
        const QPoint at = mapFromGlobal(mouse->globalPosition().toPoint());
        if (childAt(at) == handle) {
            m_pressedHandle = mouse->button() == Qt::LeftButton ? handle : nullptr;
            m_handlePressTwips = GetCursorTwips();
        }
        return false;
    }
    case QEvent::MouseMove:
        if (handle == m_ui->Frame2)
            setPointerShape(PointerShape::Default);
        if (m_frameLoop) {
            frameLoopPass();
            return true;
        }
        if (mouse->buttons() == Qt::LeftButton && m_pressedHandle == handle) {
            DragForm(this);
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        m_pressedHandle = nullptr;
        if (m_frameLoop) {
            endFrameLoop();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool FrmBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_ui)
        return QWidget::eventFilter(watched, event);
    if (watched == m_ui->Picture1 && event->type() == QEvent::Resize) {
        Picture1_Resize();
    } else if (watched == m_ui->cmdGo && event->type() == QEvent::MouseMove) {
        cmdGo_MouseMove();
    } else if (watched == m_ui->Text1 && event->type() == QEvent::MouseButtonPress) {
        Text1_Click();
    } else if (watched == m_ui->Text1 && event->type() == QEvent::MouseButtonDblClick) {
        Text1_DblClick();
        return true;
    } else if (watched == m_ui->Frame2 || watched == m_ui->Frame1 || watched == m_ui->Label2 ||
               watched == m_ui->Label6) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            return handleDragHandle(static_cast<QWidget *>(watched), event);
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The window's own surface: the strips no control covers.

void FrmBrowser::mousePressEvent(QMouseEvent *event)
{
    if (!m_ui || childAt(event->position().toPoint())) {
        event->ignore();
        return;
    }
    Form_MouseDown(event);
}

void FrmBrowser::mouseMoveEvent(QMouseEvent *event)
{
    if (m_frameLoop) {
        frameLoopPass();
        return;
    }
    if (!m_ui || childAt(event->position().toPoint())) {
        event->ignore();
        return;
    }
    Form_MouseMove(event);
}

void FrmBrowser::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_frameLoop)
        endFrameLoop();
    event->accept();
}

void FrmBrowser::Form_MouseMove(QMouseEvent *event)
{
    const QPointF at = event->position();
    const TwipsRect w = windowTwips();
    setPointerShape(frameZones().pointerShape(m_shape, event->buttons() & Qt::LeftButton,
                                              float(at.x()) * PixelTwipsX,
                                              float(at.y()) * PixelTwipsY, w.Width, w.Height));
}

void FrmBrowser::Form_MouseDown(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || framesLocked())
        return;
    FramePress press = frameZones().press(GetCursorTwips(), windowTwips());
    if (QWindow *window = windowHandle()) {
        // A window manager sizes and moves the window best; its limits are the window's
        // minimum size.
        const bool taken =
            press.resizes() ? window->startSystemResize(press.edges()) : window->startSystemMove();
        if (taken)
            return;
    }
    if (press.resizes()) {
        SetCursorTwips(FrameZones::snapped(press, GetCursorTwips(), windowTwips()));
        const QPointF at = GetCursorTwips();
        press.cx = float(at.x());
        press.cy = float(at.y());
    }
    beginFrameLoop(press);
}

void FrmBrowser::beginFrameLoop(const FramePress &press)
{
    // The loop runs on the pointer events of the press: they come to the pressed widget
    // wherever the pointer goes until the button is released, and nothing grabs the pointer
    // beyond that.
    m_press = press;
    m_frameLoop = true;
    if (!press.resizes())
        setPointerShape(PointerShape::SizeAll);
}

void FrmBrowser::frameLoopPass()
{
    // A release that never reached the window (the pointer taken by another) ends the loop
    // at the next movement.
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
        endFrameLoop();
        return;
    }
    if (framesLocked())
        return;
    const TwipsRect now = windowTwips();
    const TwipsRect next = frameZones().step(m_press, GetCursorTwips(), now,
                                             float(m_minimumSize.width()) * PixelTwipsX,
                                             float(m_minimumSize.height()) * PixelTwipsY);
    if (!m_press.resizes())
        setPointerShape(PointerShape::SizeAll);
    if (next == now)
        return;
    const QRect pixels(roundHalfEven(double(next.Left / PixelTwipsX)),
                       roundHalfEven(double(next.Top / PixelTwipsY)),
                       roundHalfEven(double(next.Width / PixelTwipsX)),
                       roundHalfEven(double(next.Height / PixelTwipsY)));
    if (pixels.size() == size())
        move(pixels.topLeft());
    else
        setGeometry(pixels);
}

void FrmBrowser::endFrameLoop()
{
    m_frameLoop = false;
}

void FrmBrowser::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_anchoring)
        m_anchoring->DoResize();
}

void FrmBrowser::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !m_heldState)
        return;
    // During a capture a restore, maximise or minimise would change the container under the
    // walk: the window goes back to its state and takes the one asked for once it is done.
    const Qt::WindowStates shape = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    const Qt::WindowStates now = windowState() & ~Qt::WindowActive;
    if ((now & shape) == (*m_heldState & shape))
        return;
    m_stateAfterCapture = now;
    setWindowState(*m_heldState);
}

void FrmBrowser::closeEvent(QCloseEvent *event)
{
    // Unloading during a capture would pull the views and surfaces from under it: the close
    // comes once the capture is done (Command5_Click).
    if (framesLocked()) {
        m_closePending = true;
        event->ignore();
        return;
    }
    // A close that waited is done with; the next opening must not inherit it.
    m_closePending = false;
    endFrameLoop();
    if (isLoaded()) {
        Form_Unload();
        destroyForm();
        m_maximizedByUs = false;
        emit loadedChanged(false);
    }
    event->accept();
}

} // namespace tessaly
