#include "capture/CaptureState.h"

#include "capture/BuiltInPictures.h"

#include <cmath>

namespace tessaly {

CaptureState::CaptureState(QWidget *window_, QWidget *picture1_)
    : window(window_), picture1(picture1_), Label6(QStringLiteral("Screenshots Taken: 0"))
{
    // Tile, canvas and output surfaces carry a flat 1-pixel frame; the two watermark
    // surfaces take their pictures' size.
    for (DrawingSurface *s : {&picPicture, &PicTemp, &PicPrepare}) {
        s->setFramed(true);
        s->setBackColour(WindowBackground);
    }
    for (DrawingSurface *s :
         {&picPicture, &PicTemp, &PicPrepare, &picWatermark1, &picWatermarkMain})
        s->setAutoRedraw(true);
    for (DrawingSurface *s :
         {&picPicture, &PicTemp, &PicPrepare, &picWatermark1, &picWatermarkMain})
        s->setScaleMode(ScaleMode::Pixels);
    for (DrawingSurface *s : {&picPicture, &PicTemp, &PicPrepare}) {
        s->setVisible(false);
        s->setAutoSize(true);
    }
    picWatermark1.setAutoSize(true);
    picWatermarkMain.setAutoSize(true);
    picWatermark1.setPicture(BuiltInPictures::defaultWatermark());
    picWatermarkMain.setPicture(BuiltInPictures::banner());
}

void CaptureState::setTwipsScale(const TwipsScale &scale)
{
    twips = scale;
    for (DrawingSurface *s :
         {&picPicture, &PicTemp, &PicPrepare, &picWatermark1, &picWatermarkMain})
        s->setTwipsScale(twips);
    // Auto-sized surfaces keep their picture's pixel size on a new scale.
    picWatermark1.setPicture(picWatermark1.picture());
    picWatermarkMain.setPicture(picWatermarkMain.picture());
    followPicture1();
}

BrowserView *CaptureState::activeView() const
{
    if (ActiveBrowser < 0 || ActiveBrowser >= std::int32_t(WebBrowser1.size()))
        return nullptr;
    return WebBrowser1[std::size_t(ActiveBrowser)].data();
}

float CaptureState::Picture1Left() const
{
    if (!picture1 || !window)
        return 0;
    return twips.toTwipsX(float(picture1->mapTo(window, QPoint(0, 0)).x()));
}

float CaptureState::Picture1Top() const
{
    if (!picture1 || !window)
        return 0;
    return twips.toTwipsY(float(picture1->mapTo(window, QPoint(0, 0)).y()));
}

float CaptureState::Picture1Width() const
{
    return picture1 ? twips.toTwipsX(float(picture1->width())) : 0;
}

float CaptureState::Picture1Height() const
{
    return picture1 ? twips.toTwipsY(float(picture1->height())) : 0;
}

int CaptureState::expectedBands() const
{
    const float p = Picture1Height();
    if (p <= 0 || PageHeight <= ViewHeight)
        return 1;
    return int(std::ceil(double(PageHeight) / p));
}

} // namespace tessaly
