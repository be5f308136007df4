// Draws the capture window's pictures into PNG files: the toolbar pictures (and greyed Back and
// Forward), the camera of the screenshot button and the window icon. The files are committed;
// run this again (target tessaly_make_pictures) only to change them:
//   tessaly_make_pictures <folder>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr QColor Outline(40, 40, 40);

QImage canvas(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QImage arrowPicture(bool right, bool greyed)
{
    QImage image = canvas(32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A left arrow; mirrored for the right one.
    QPainterPath path;
    path.moveTo(3, 16);
    path.lineTo(15, 4);
    path.lineTo(15, 11);
    path.lineTo(29, 11);
    path.lineTo(29, 21);
    path.lineTo(15, 21);
    path.lineTo(15, 28);
    path.closeSubpath();
    if (right)
        p.setTransform(QTransform(-1, 0, 0, 1, 32, 0));
    const QColor fill =
        greyed ? QColor(210, 210, 210) : (right ? QColor(40, 150, 60) : QColor(40, 110, 200));
    p.setPen(QPen(greyed ? QColor(140, 140, 140) : Outline, 1.5));
    p.setBrush(fill);
    p.drawPath(path);
    return image;
}

QImage stopPicture()
{
    QImage image = canvas(32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Outline, 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 7), QPointF(25, 25));
    p.drawLine(QPointF(25, 7), QPointF(7, 25));
    p.setPen(QPen(QColor(210, 40, 40), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 7), QPointF(25, 25));
    p.drawLine(QPointF(25, 7), QPointF(7, 25));
    return image;
}

QImage refreshPicture()
{
    QImage image = canvas(32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF circle(6, 6, 20, 20);
    p.setPen(QPen(Outline, 7, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(circle, 90 * 16, 290 * 16);
    p.setPen(QPen(QColor(40, 150, 60), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(circle, 90 * 16, 290 * 16);
    // Arrow head at the open end of the circle, pointing along it.
    QPainterPath head;
    head.moveTo(14, 0);
    head.lineTo(23, 6);
    head.lineTo(14, 12);
    head.closeSubpath();
    p.setPen(QPen(Outline, 1.5));
    p.setBrush(QColor(40, 150, 60));
    p.drawPath(head);
    return image;
}

QImage homePicture()
{
    QImage image = canvas(32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Outline, 1.5));
    // Walls, door, roof.
    p.setBrush(QColor(240, 220, 170));
    p.drawRect(QRectF(7, 15, 18, 14));
    p.setBrush(QColor(120, 70, 30));
    p.drawRect(QRectF(14, 20, 5, 9));
    QPainterPath roof;
    roof.moveTo(3, 16);
    roof.lineTo(16, 4);
    roof.lineTo(29, 16);
    roof.closeSubpath();
    p.setBrush(QColor(200, 50, 40));
    p.drawPath(roof);
    return image;
}

void drawCamera(QPainter &p, double s)
{
    p.scale(s, s);
    p.setPen(QPen(Outline, 1.5));
    p.setBrush(QColor(70, 70, 80));
    p.drawRoundedRect(QRectF(2, 9, 28, 19), 3, 3);
    p.drawRect(QRectF(10, 5, 10, 5));
    p.setBrush(QColor(230, 230, 235));
    p.drawEllipse(QPointF(16, 18.5), 7, 7);
    p.setBrush(QColor(50, 90, 160));
    p.drawEllipse(QPointF(16, 18.5), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 200, 60));
    p.drawRect(QRectF(24, 11, 4, 3));
}

QImage cameraPicture(int size)
{
    QImage image = canvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawCamera(p, size / 32.0);
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: tessaly_make_pictures <folder>\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const std::pair<const char *, std::function<QImage()>> pictures[] = {
        {"back.png", [] { return arrowPicture(false, false); }},
        {"forward.png", [] { return arrowPicture(true, false); }},
        {"stop.png", stopPicture},
        {"refresh.png", refreshPicture},
        {"home.png", homePicture},
        {"back-greyed.png", [] { return arrowPicture(false, true); }},
        {"forward-greyed.png", [] { return arrowPicture(true, true); }},
        {"camera.png", [] { return cameraPicture(32); }},
        {"icon.png", [] { return cameraPicture(16); }},
    };
    for (const auto &[name, draw] : pictures) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        if (!draw().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
