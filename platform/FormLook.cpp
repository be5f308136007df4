#include "platform/FormLook.h"

#include <QFontDatabase>
#include <QRect>
#include <QWidget>

namespace tessaly {

QString formFontFamily()
{
    const QString preferred = QStringLiteral("Verdana");
    return QFontDatabase::families().contains(preferred) ? preferred
                                                         : QStringLiteral("DejaVu Sans");
}

QFont formFont(double points, bool bold)
{
    QFont font(formFontFamily());
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void scaleFormFromDesign(QWidget &form, const TwipsScale &scale)
{
    if (scale.PixelTwipsX == DesignTwipsPerPixel && scale.PixelTwipsY == DesignTwipsPerPixel)
        return;
    const auto scaled = [&scale](const QRect &design) {
        const float k = DesignTwipsPerPixel;
        return QRect(scale.pixelsX(float(design.x()) * k), scale.pixelsY(float(design.y()) * k),
                     scale.pixelsX(float(design.width()) * k),
                     scale.pixelsY(float(design.height()) * k));
    };
    for (QWidget *control : form.findChildren<QWidget *>()) {
        if (control->property("Tag").isValid())
            control->setGeometry(scaled(control->geometry()));
    }
    form.resize(scaled(QRect(QPoint(0, 0), form.size())).size());
}

} // namespace tessaly
