#include "browser/CaptureStage.h"

#include "browser/WebEngineBrowserView.h"

#include <QScreen>

namespace tessaly {

CaptureStage::CaptureStage(QSize browserArea, QWebEngineProfile *profile, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("Tessaly"));
    setFixedSize(browserArea);
    m_container = new QWidget(this);
    m_container->setGeometry(QRect(QPoint(0, 0), browserArea));
    // Rows below the end of a document show white, as a browser shows its empty canvas.
    m_container->setAutoFillBackground(true);
    QPalette palette = m_container->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_container->setPalette(palette);
    m_view = WebEngineBrowserView::create(m_container, twipsScale(), profile);
}

CaptureStage::~CaptureStage() = default;

TwipsScale CaptureStage::twipsScale() const
{
    return TwipsScale::fromScreen(screen());
}

} // namespace tessaly
