#include "dialogs/PreviewStrip.h"

#include "dialogs/PreviewLayout.h"

#include <QPainter>
#include <qdrawutil.h>

using namespace Qt::StringLiterals;

namespace tessaly {

PreviewStrip::PreviewStrip(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"previewStrip"_s);
    setFixedHeight(PreviewLayout::StripHeight);
}

void PreviewStrip::setPreview(const QImage &picture, const QStringList &lines)
{
    m_picture = picture;
    m_lines = lines;
    update();
}

QRect PreviewStrip::thumbnailRect() const
{
    const QSize size = PreviewLayout::thumbnailSize(m_picture.width(), m_picture.height());
    if (size.isEmpty())
        return {};
    return QRect(PreviewLayout::thumbnailOrigin(), size);
}

void PreviewStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Etched: a sunken line with a raised one inside it.
    qDrawShadeRect(&painter, PreviewLayout::frameRect(width()), palette(), true, 1, 0);

    const QRect thumbnail = thumbnailRect();
    if (!thumbnail.isEmpty()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(thumbnail, m_picture);
    }

    QFont font(u"MS Sans Serif"_s);
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    const QList<QPoint> origins = PreviewLayout::textOrigins();
    const int lineHeight = painter.fontMetrics().height();
    for (qsizetype i = 0; i < m_lines.size() && i < origins.size(); ++i) {
        // The texts end before the thumbnail column.
        const QRect box(origins.at(i),
                        QSize(PreviewLayout::thumbnailOrigin().x() - 20 - 4, lineHeight));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_lines.at(i));
    }
}

} // namespace tessaly
