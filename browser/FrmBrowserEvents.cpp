// The capture window's handlers of its browser views' events, and the array of views.

#include "browser/FrmBrowser.h"

#include "ui_FrmBrowser.h"

#include "browser/WebEngineBrowserView.h"
#include "browser/modWebBrowserErrors.h"
#include "capture/CaptureHost.h"
#include "capture/LiveSettings.h"

#include <QProgressBar>
#include <QStatusBar>
#include <QWebEnginePage>
#include <QWebEngineProfile>

namespace tessaly {

QWebEngineProfile *FrmBrowser::viewProfile() const
{
    return m_profile ? m_profile : QWebEngineProfile::defaultProfile();
}

BrowserView *FrmBrowser::viewAt(int index) const
{
    if (!m_host || index < 0 || index >= int(m_host->WebBrowser1().size()))
        return nullptr;
    return m_host->WebBrowser1()[std::size_t(index)].data();
}

int FrmBrowser::loadedViewCount() const
{
    int count = 0;
    for (const QPointer<BrowserView> &view : m_host->WebBrowser1())
        count += view ? 1 : 0;
    return count;
}

int FrmBrowser::freeViewIndex() const
{
    // The next index is the number of views loaded, unless pop-ups closed out of their
    // order left a view there; then the lowest index no view holds.
    const int next = loadedViewCount();
    if (!viewAt(next))
        return next;
    for (int index = 1; index < int(m_host->WebBrowser1().size()); ++index) {
        if (!viewAt(index))
            return index;
    }
    return int(m_host->WebBrowser1().size());
}

void FrmBrowser::connectView(BrowserView *view, int index)
{
    // The status panel follows the current view's load from its start to its end.
    connect(view, &BrowserView::BeforeNavigate2, this,
            [this, index](const QString &address, const QString &frameName) {
                showLoadStart(index, address, frameName);
            });
    connect(view, &BrowserView::DocumentComplete, this,
            [this, index](const QString &address, int) { showLoadEnd(index, address); });
    connect(view, &BrowserView::StatusTextChange, this, &FrmBrowser::WebBrowser1_StatusTextChange);
    connect(view, &BrowserView::ProgressChange, this, &FrmBrowser::WebBrowser1_ProgressChange);
    connect(view, &BrowserView::CommandStateChange, this,
            &FrmBrowser::WebBrowser1_CommandStateChange);
    connect(view, &BrowserView::TitleChange, this, &FrmBrowser::WebBrowser1_TitleChange);
    connect(view, &BrowserView::BeforeNavigate2, this,
            [this, index](const QString &address, const QString &frameName) {
                WebBrowser1_BeforeNavigate2(index, address, frameName);
            });
    connect(view, &BrowserView::NewWindow2, this,
            [this](BrowserView **ppDisp) { *ppDisp = WebBrowser1_NewWindow2(); });
    connect(view, &BrowserView::DocumentComplete, this, &FrmBrowser::WebBrowser1_DocumentComplete);
    connect(view, &BrowserView::WindowClosing, this,
            [this, index](bool) { WebBrowser1_WindowClosing(index); });
    connect(view, &BrowserView::NavigateError, this,
            [this](const QString &address, const QString &, int statusCode) {
                WebBrowser1_NavigateError(address, statusCode);
            });
}

void FrmBrowser::WebBrowser1_StatusTextChange(const QString &text)
{
    if (!m_ui || text == LastStatusText || text.isEmpty())
        return;
    LastStatusText = text;
    m_ui->StatusBar1->showMessage(text);
}

void FrmBrowser::showLoadStart(int index, const QString &address, const QString &frameName)
{
    // The engine tells no status texts of its own while it loads, and an empty one never
    // clears the panel: without these an error would stay there past the loads after it.
    if (!m_ui || index != m_host->ActiveBrowser() || !frameName.isEmpty() ||
        address.toLower() == QStringLiteral("about:blank"))
        return;
    m_loadShown = true;
    m_ui->StatusBar1->showMessage(address);
}

void FrmBrowser::showLoadEnd(int index, const QString &address)
{
    // Frames complete with addresses of their own; a load that failed keeps its error.
    BrowserView *view = viewAt(index);
    if (!m_ui || !m_loadShown || index != m_host->ActiveBrowser() || !view ||
        view->LocationURL() != address)
        return;
    m_loadShown = false;
    m_ui->StatusBar1->showMessage(tr("Done"));
}

void FrmBrowser::WebBrowser1_ProgressChange(int progress, int progressMax)
{
    if (!m_ui)
        return;
    // The bar refuses a maximum below 1 and a value outside its range.
    if (progressMax > 0)
        m_ui->ProgressBar1->setMaximum(progressMax);
    if (progress >= 0 && progress <= m_ui->ProgressBar1->maximum())
        m_ui->ProgressBar1->setValue(progress);
}

void FrmBrowser::WebBrowser1_CommandStateChange(int command, bool enable)
{
    if (!m_ui)
        return;
    if (command == WebEngineBrowserView::BackCommand)
        m_ui->Back->setEnabled(enable);
    else if (command == WebEngineBrowserView::ForwardCommand)
        m_ui->Forward->setEnabled(enable);
}

void FrmBrowser::WebBrowser1_TitleChange(const QString &text)
{
    if (m_ui)
        m_ui->Label2->setText(text);
}

void FrmBrowser::WebBrowser1_BeforeNavigate2(int index, const QString &address,
                                             const QString &frameName)
{
    if (!m_ui)
        return;
    BrowserView *view = viewAt(index);
    // A frame that navigates while a capture walks the page-high pop-up must not put it back
    // to the container's size; the pop-up was placed when its own page began.
    const bool frameDuringCapture = m_host->isCapturing() && !frameName.isEmpty();
    if (index != 0 && view && !frameDuringCapture) {
        view->setLeft(0);
        view->setTop(0);
        view->setWidth(m_host->Picture1Width());
        view->setHeight(m_host->Picture1Height());
        showCurrentView();
    }
    if (view && m_settings.silentSwitch() == 1)
        view->setSilent(true);
    if (address.toLower() == QStringLiteral("about:blank"))
        return;
    if (frameName.isEmpty())
        return;
    m_host->addFrameName(frameName);
}

void FrmBrowser::showCurrentView()
{
    // Only the current view shows: a pop-up in the background that navigates, or the main
    // view made current again while other pop-ups stay loaded, must not cover it.
    BrowserView *current = m_host->activeView();
    for (const QPointer<BrowserView> &view : m_host->WebBrowser1()) {
        if (view && view != current)
            view->setVisible(false);
    }
    if (current) {
        current->setVisible(true);
        if (QWidget *widget = current->widget())
            widget->raise();
    }
}

BrowserView *FrmBrowser::WebBrowser1_NewWindow2()
{
    if (!m_ui || loadedViewCount() - 1 >= MaxPopupViews)
        return nullptr;
    // The view a running capture walks is about to be covered.
    m_host->cancelCapture(tr("The screenshot was not taken: the page opened a new window."));
    const int n = freeViewIndex();
    auto *view = WebEngineBrowserView::create(m_ui->Picture1, m_scale, viewProfile());
    m_host->setView(n, view);
    m_host->setActiveBrowser(n);
    view->setResizable(false);
    view->setVisible(false);
    connectView(view, n);
    return view;
}

void FrmBrowser::WebBrowser1_WindowClosing(int index)
{
    BrowserView *view = viewAt(index);
    if (index == 0 || !view)
        return;
    m_host->cancelCapture(tr("The screenshot was not taken: the browser view was closed."));
    m_host->setActiveBrowser(0);
    view->setVisible(false);
    m_host->removeView(index);
    // The page asked from inside its own signal: it goes once that has returned. A capture
    // may be waiting inside the view's own methods, in event loops that would free it
    // under them: then it goes once the capture has ended.
    if (QWidget *widget = view->widget()) {
        if (m_host->isCapturing()) {
            // Its index may be given to a new pop-up meanwhile.
            view->disconnect(this);
            m_closedDuringCapture.emplace_back(widget);
        } else {
            widget->deleteLater();
        }
    }
    showCurrentView();
}

void FrmBrowser::WebBrowser1_NavigateError(const QString &address, int statusCode)
{
    if (!m_ui)
        return;
    m_loadShown = false;
    m_ui->StatusBar1->showMessage(modWebBrowserErrors::NavigateErrorText(statusCode) +
                                  QStringLiteral(" (") + address + QStringLiteral(")"));
}

} // namespace tessaly
