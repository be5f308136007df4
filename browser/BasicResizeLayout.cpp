#include "browser/BasicResizeLayout.h"

#include <QWidget>

namespace tessaly {

BasicResizeLayout::BasicResizeLayout(QWidget &window, TwipsScale scale)
    : m_window(&window), m_scale(scale)
{
}

void BasicResizeLayout::DoInit(std::int32_t FormHeight, std::int32_t FormWidth)
{
    if (!m_window)
        return;
    m_minimum = QSize(m_scale.pixelsX(float(FormWidth)), m_scale.pixelsY(float(FormHeight)));
    m_last = m_window->size();
}

void BasicResizeLayout::DoResize()
{
    if (!m_window || m_last.isEmpty() || m_window->isMinimized())
        return;
    if (m_window->width() < m_minimum.width() || m_window->height() < m_minimum.height())
        m_window->resize(m_window->size().expandedTo(m_minimum));
    const int dx = m_window->width() - m_last.width();
    const int dy = m_window->height() - m_last.height();
    m_last = m_window->size();
    if (dx == 0 && dy == 0)
        return;
    const auto child = [this](const char *name) {
        return m_window->findChild<QWidget *>(QString::fromLatin1(name));
    };
    for (const char *name : {"Picture1", "WebBrowser1_0"}) {
        if (QWidget *w = child(name))
            w->resize(w->width() + dx, w->height() + dy);
    }
    if (QWidget *w = child("StatusBar1"))
        w->setGeometry(w->x(), w->y() + dy, w->width() + dx, w->height());
    if (QWidget *w = child("ProgressBar1"))
        w->move(w->x() + dx, w->y() + dy);
}

} // namespace tessaly
