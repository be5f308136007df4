#pragma once

#include "drawing/Twips.h"

#include <QPointer>
#include <QWidget>

class QWebEngineProfile;

namespace tessaly {

class WebEngineBrowserView;

/// A borderless window that is nothing but a browser area of a given size: the container
/// `Picture1` filling it and one browser view inside. Captures from the command line run in
/// it, with the same capture routines as the capture window.
class CaptureStage : public QWidget
{
    Q_OBJECT
public:
    CaptureStage(QSize browserArea, QWebEngineProfile *profile = nullptr,
                 QWidget *parent = nullptr);
    ~CaptureStage() override;

    QWidget *container() const { return m_container; }
    WebEngineBrowserView *view() const { return m_view; }
    TwipsScale twipsScale() const;

private:
    QPointer<QWidget> m_container;
    QPointer<WebEngineBrowserView> m_view;
};

} // namespace tessaly
