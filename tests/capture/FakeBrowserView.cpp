#include "FakeBrowserView.h"

#include <QPaintEvent>
#include <QPainter>

using namespace tessaly;

Colour fakeRowColour(int row)
{
    return rgbColour(row & 0xff, (row >> 8) & 0xff, 64 + ((row >> 16) & 0x7f));
}

namespace {

// Paints page rows; rows below the page end show white, as a browser shows the canvas.
class FakePage : public QWidget
{
public:
    FakePage(QWidget *parent, int pageHeight) : QWidget(parent), m_pageHeight(pageHeight) {}

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        const QRect r = event->rect();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const QColor c =
                y < m_pageHeight ? QColor(toQRgb(fakeRowColour(y))) : QColor(Qt::white);
            painter.fillRect(QRect(r.left(), y, r.width(), 1), c);
        }
    }

private:
    const int m_pageHeight;
};

} // namespace

FakeBrowserView::FakeBrowserView(QWidget *container, TwipsScale scale, int pageHeight)
    : m_scale(scale), m_widget(new FakePage(container, pageHeight)), m_pageHeight(pageHeight)
{
    setParent(m_widget);
    m_width = scale.toTwipsX(float(container->width()));
    set(m_height, scale.toTwipsY(float(container->height())));
    m_widget->show();
}

void FakeBrowserView::set(float &geometry, float twips)
{
    geometry = twips;
    m_widget->setGeometry(m_scale.pixelsX(m_left), m_scale.pixelsY(m_top), m_scale.pixelsX(m_width),
                          m_scale.pixelsY(m_height));
}

std::optional<int> FakeBrowserView::bodyScrollHeight(const QStringList &framePath)
{
    ++heightReads;
    if (!m_readable)
        return std::nullopt;
    if (framePath.isEmpty())
        return m_pageHeight;
    const auto it = m_frames.constFind(framePath.join(u'/'));
    if (it == m_frames.constEnd())
        return std::nullopt;
    return *it;
}
