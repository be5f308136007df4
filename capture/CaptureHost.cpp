#include "capture/CaptureHost.h"

#include "capture/BuiltInPictures.h"
#include "platform/MemoryInfo.h"

#include <QCoreApplication>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace tessaly {

CaptureHost::CaptureHost(QWidget *window, QWidget *picture1, SaveBitmapAs &writer,
                         const LiveSettings &settings, QObject *parent)
    : QObject(parent), m_window(window), m_picture1(picture1), m_writer(writer),
      m_settings(settings), m_memoryProbe(availableMemoryBytes), m_label6(QStringLiteral("Screenshots Taken: 0"))
{
    // Tile, canvas and output surfaces carry a flat 1-pixel frame; the two watermark
    // surfaces take their pictures' size.
    for (DrawingSurface *s : {&picPicture, &PicTemp, &PicPrepare}) {
        s->setFramed(true);
        s->setBackColour(WindowBackground);
    }
    for (DrawingSurface *s : {&picPicture, &PicTemp, &PicPrepare, &picWatermark1, &picWatermarkMain})
        s->setAutoRedraw(true);
    for (DrawingSurface *s : {&picPicture, &PicTemp, &PicPrepare, &picWatermark1, &picWatermarkMain})
        s->setScaleMode(ScaleMode::Pixels);
    for (DrawingSurface *s : {&picPicture, &PicTemp, &PicPrepare}) {
        s->setVisible(false);
        s->setAutoSize(true);
    }
    picWatermark1.setAutoSize(true);
    picWatermarkMain.setAutoSize(true);
    picWatermark1.setPicture(BuiltInPictures::defaultWatermark());
    picWatermarkMain.setPicture(BuiltInPictures::banner());
    readDisplayScale();
}

CaptureHost::~CaptureHost() = default;

void CaptureHost::setMemoryProbe(std::function<std::optional<std::int64_t>()> probe)
{
    m_memoryProbe = std::move(probe);
}

QString CaptureHost::memoryProblem() const
{
    const auto available = m_memoryProbe ? m_memoryProbe() : std::nullopt;
    if (!available)
        return {};
    const std::int64_t width = std::max(0, roundHalfEven(m_twips.toPixelsX(Picture1Width())));
    const std::int64_t height = std::max(0, roundHalfEven(m_twips.toPixelsY(float(PageHeight))));
    // The canvas, and at worst one converted copy of it while the file is encoded.
    const std::int64_t needed = 2 * width * height * 4;
    if (needed <= *available)
        return {};
    return tr("the page is too large for the memory available (%1 x %2 pixels need about "
              "%3 MB, %4 MB are free)")
        .arg(width)
        .arg(height)
        .arg(needed >> 20)
        .arg(*available >> 20);
}

void CaptureHost::readDisplayScale()
{
    setTwipsScale(TwipsScale::fromScreen(m_window ? m_window->screen() : nullptr));
}

void CaptureHost::setTwipsScale(const TwipsScale &scale)
{
    m_twips = scale;
    for (DrawingSurface *s : {&picPicture, &PicTemp, &PicPrepare, &picWatermark1, &picWatermarkMain})
        s->setTwipsScale(m_twips);
    // Auto-sized surfaces keep their picture's pixel size on a new scale.
    picWatermark1.setPicture(picWatermark1.picture());
    picWatermarkMain.setPicture(picWatermarkMain.picture());
    ViewHeight = roundHalfEven(Picture1Height());
}

bool CaptureHost::loadWatermark(const QString &path, QString *error)
{
    const Picture picture = Picture::fromFile(path, error);
    if (picture.isNull())
        return false;
    picWatermark1.setPicture(picture);
    return true;
}

void CaptureHost::setCanvasFramed(bool framed)
{
    for (DrawingSurface *s : {&picPicture, &PicTemp, &PicPrepare})
        s->setFramed(framed);
}

void CaptureHost::setFileNameSource(std::function<QString()> source)
{
    m_fileNameSource = std::move(source);
}

void CaptureHost::setOutputStep(OutputStep step)
{
    m_outputStep = std::move(step);
}

void CaptureHost::cancelCapture(const QString &reason)
{
    if (!m_capturing || m_cancelled)
        return;
    m_cancelled = true;
    m_cancelReason = reason;
    if (BrowserView *view = activeView())
        view->interruptWaits();
}

BrowserView *CaptureHost::activeView() const
{
    if (ActiveBrowser < 0 || ActiveBrowser >= std::int32_t(WebBrowser1.size()))
        return nullptr;
    return WebBrowser1[std::size_t(ActiveBrowser)].data();
}

float CaptureHost::Picture1Left() const
{
    if (!m_picture1 || !m_window)
        return 0;
    return m_twips.toTwipsX(float(m_picture1->mapTo(m_window, QPoint(0, 0)).x()));
}

float CaptureHost::Picture1Top() const
{
    if (!m_picture1 || !m_window)
        return 0;
    return m_twips.toTwipsY(float(m_picture1->mapTo(m_window, QPoint(0, 0)).y()));
}

float CaptureHost::Picture1Width() const
{
    return m_picture1 ? m_twips.toTwipsX(float(m_picture1->width())) : 0;
}

float CaptureHost::Picture1Height() const
{
    return m_picture1 ? m_twips.toTwipsY(float(m_picture1->height())) : 0;
}

void CaptureHost::yield()
{
    QCoreApplication::processEvents();
}

int CaptureHost::expectedBands() const
{
    const float p = Picture1Height();
    if (p <= 0 || PageHeight <= ViewHeight)
        return 1;
    return int(std::ceil(double(PageHeight) / p));
}

} // namespace tessaly
