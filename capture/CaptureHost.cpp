#include "capture/CaptureHost.h"

#include <QWidget>

namespace tessaly {

CaptureHost::CaptureHost(QWidget *window, QWidget *picture1, SaveBitmapAs &writer,
                         const LiveSettings &settings, QObject *parent)
    : QObject(parent), m_state(window, picture1), m_measurement(m_state), m_grab(m_state),
      m_canvas(m_state, m_grab, *this), m_finishing(m_state, writer, settings),
      m_session(m_state, m_measurement, m_canvas, m_finishing, *this)
{
    readDisplayScale();
}

CaptureHost::~CaptureHost() = default;

void CaptureHost::setView(int index, BrowserView *view)
{
    if (index < 0)
        return;
    if (std::size_t(index) >= m_state.WebBrowser1.size())
        m_state.WebBrowser1.resize(std::size_t(index) + 1);
    m_state.WebBrowser1[std::size_t(index)] = view;
}

void CaptureHost::removeView(int index)
{
    if (index >= 0 && std::size_t(index) < m_state.WebBrowser1.size())
        m_state.WebBrowser1[std::size_t(index)] = nullptr;
}

void CaptureHost::addFrameName(const QString &name)
{
    if (!m_state.List1.contains(name))
        m_state.List1.append(name);
}

void CaptureHost::addHeightCandidateTwips(double twips)
{
    m_state.List2.append(PageMeasurement::formatCandidate(twips));
}

void CaptureHost::placeSurface(Surface surface, const QRectF &place)
{
    DrawingSurface *const surfaces[] = {&m_state.picPicture, &m_state.PicTemp, &m_state.PicPrepare,
                                        &m_state.picWatermark1, &m_state.picWatermarkMain};
    DrawingSurface &s = *surfaces[int(surface)];
    s.setLeft(float(place.left()));
    s.setTop(float(place.top()));
    if (!s.autoSize() || s.picture().isNull()) {
        s.setWidth(float(place.width()));
        s.setHeight(float(place.height()));
    }
}

void CaptureHost::readDisplayScale()
{
    setTwipsScale(TwipsScale::fromScreen(m_state.window ? m_state.window->screen() : nullptr));
}

Result<void> CaptureHost::loadWatermark(const QString &path)
{
    const Result<Picture> picture = Picture::fromFile(path);
    if (!picture)
        return fail(picture.error());
    m_state.picWatermark1.setPicture(*picture);
    return {};
}

void CaptureHost::setCanvasFramed(bool framed)
{
    for (DrawingSurface *s : {&m_state.picPicture, &m_state.PicTemp, &m_state.PicPrepare})
        s->setFramed(framed);
}

void CaptureHost::setFileNameSource(std::function<QString()> source)
{
    m_finishing.setFileNameSource(std::move(source));
}

void CaptureHost::setOutputStep(OutputStep step)
{
    m_finishing.setOutputStep(std::move(step));
}

} // namespace tessaly
