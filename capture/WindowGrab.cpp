#include "capture/WindowGrab.h"

#include "capture/CaptureState.h"

#include <QPainter>
#include <QWidget>

namespace tessaly {

Picture WindowGrab::GrabWindowArea(QWidget *window, bool clientOnly, int left, int top, int width,
                                   int height) const
{
    // The window has no frame of its own, so the whole window and its client area are the
    // same rectangle.
    Q_UNUSED(clientOnly);
    // An empty rectangle would make the toolkit grab the whole window.
    if (!window || width <= 0 || height <= 0)
        return {};
    // The area is the browser container, which holds nothing but the views: render its
    // background and ask every visible view for what it shows there. Rendering rather than
    // reading the screen keeps other windows over the capture window, or parts of it off
    // screen, out of the picture; and a view asked directly can answer from one read-back
    // of its whole frame for many bands.
    const QRect area(left, top, width, height);
    QImage image(area.size(), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const QWidget *picture1 = m_state.picture1;
    image.fill(picture1 ? picture1->palette().color(picture1->backgroundRole()).rgb()
                        : qRgb(255, 255, 255));
    QPainter painter(&image);
    for (const QPointer<BrowserView> &view : m_state.WebBrowser1) {
        QWidget *widget = view ? view->widget() : nullptr;
        if (!widget || !widget->isVisibleTo(window))
            continue;
        const QRect inWindow(widget->mapTo(window, QPoint(0, 0)), widget->size());
        const QRect part = inWindow.intersected(area);
        if (part.isEmpty())
            continue;
        const QImage shown = view->renderArea(part.translated(-inWindow.topLeft()));
        // A view that cannot say what it shows would leave a hole in the picture.
        if (shown.isNull())
            return {};
        painter.drawImage(part.topLeft() - area.topLeft(), shown);
    }
    painter.end();
    return MakeBitmapPicture(image);
}

Picture WindowGrab::MakeBitmapPicture(const QImage &bitmap)
{
    return Picture(bitmap);
}

} // namespace tessaly
