#pragma once

#include "anchor/Anchor.h"

#include <QRect>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <memory>

// A shown 400 x 300 pixel window at 15 twips per pixel, with controls placed on it.
struct AnchorRig
{
    static constexpr int Twips = 15;

    AnchorRig() : host(std::make_unique<QWidget>())
    {
        host->resize(400, 300);
        anchor = new tessaly::Anchor(host.get());
        anchor->setTwipsScale(tessaly::TwipsScale{Twips, Twips});
    }

    // On the window unless another parent is given; a null tag sets no Tag.
    QWidget *control(const QString &tag, const QRect &pixels, QWidget *parent = nullptr)
    {
        auto *w = new QWidget(parent ? parent : host.get());
        w->setGeometry(pixels);
        if (!tag.isNull())
            w->setProperty("Tag", tag);
        return w;
    }

    // In whole twips; the layout runs from the window's resize event.
    void resizeTwips(int width, int height) { host->resize(width / Twips, height / Twips); }
    void growTwips(int width, int height)
    {
        resizeTwips(host->width() * Twips + width, host->height() * Twips + height);
    }

    std::unique_ptr<QWidget> host;
    tessaly::Anchor *anchor = nullptr; // a child of host
};

inline QString tagText(const QWidget *w)
{
    return w->property("Tag").toString();
}
