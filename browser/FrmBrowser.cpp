#include "browser/FrmBrowser.h"

#include "ui_FrmBrowser.h"

#include "base/EventYield.h"
#include "browser/AnchorLayout.h"
#include "browser/BrowserPage.h"
#include "browser/WebEngineBrowserView.h"
#include "capture/CaptureHost.h"
#include "platform/FormLook.h"

#include <QFontDatabase>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QToolButton>
#include <QWebEnginePage>

#include <cmath>
#include <utility>

static void initBrowserResources()
{
    Q_INIT_RESOURCE(browser);
}

namespace tessaly {

FrmBrowser::FrmBrowser(LiveSettings &settings, QString watermarkPath, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_settings(settings),
      m_watermarkPath(std::move(watermarkPath))
{
    initBrowserResources();
}

FrmBrowser::~FrmBrowser()
{
    // The program is ending: the window goes without unloading.
    destroyForm();
}

void FrmBrowser::setAnchoring(FormAnchoringFactory factory)
{
    m_anchoringFactory = std::move(factory);
}

void FrmBrowser::setDisplayScaleSource(std::function<TwipsScale(const QWidget &)> source)
{
    m_scaleSource = std::move(source);
}

void FrmBrowser::Show()
{
    if (!isLoaded()) {
        buildForm();
        Form_Load();
        if (const QScreen *s = screen())
            move(s->availableGeometry().center() - rect().center());
        emit loadedChanged(true);
    }
    // show() and raise() leave a minimised window minimised, and a borderless window has no
    // button of the windowing system to bring it back: it comes back as it was before.
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void FrmBrowser::buildForm()
{
    m_scale = m_scaleSource ? m_scaleSource(*this) : TwipsScale::fromScreen(screen());
    const QObjectList before = children();
    m_ui = std::make_unique<Ui::FrmBrowser>();
    m_ui->setupUi(this);
    scaleForm();
    applyLook();
    // Text2 only parks the focus for an instant (Text1_Click): below the address box it
    // never takes a click meant for it, and out of the tab chain never a key.
    m_ui->Text2->stackUnder(m_ui->Text1);
    m_ui->Text2->setFocusPolicy(Qt::NoFocus);
    // The progress bar lies over the right end of the status bar, not under its text.
    m_ui->ProgressBar1->raise();

    // Five 32-pixel pictures, two with their drop-down arrows, fill the toolbar's width:
    // no room for the style's usual padding between and around them.
    m_ui->Toolbar1->setStyleSheet(
        QStringLiteral("QToolBar { border: none; padding: 0px; spacing: 0px; }"
                       "QToolButton { padding: 1px; margin: 0px; }"
                       "QToolButton[popupMode=\"1\"] { padding-right: 13px; }"
                       "QToolButton::menu-button { width: 12px; }"));
    // Each drop-down button's menu starts with one empty entry.
    for (QAction *action : {m_ui->Back, m_ui->Forward}) {
        auto *menu = new QMenu(m_ui->Toolbar1);
        menu->addAction(QString());
        action->setMenu(menu);
        if (auto *button = qobject_cast<QToolButton *>(m_ui->Toolbar1->widgetForAction(action)))
            button->setPopupMode(QToolButton::MenuButtonPopup);
    }

    for (QObject *object : children()) {
        if (!before.contains(object))
            m_formObjects.emplace_back(object);
    }

    m_host = std::make_unique<CaptureHost>(this, m_ui->Picture1, m_writer, m_settings);
    m_host->restorePageHeight(m_pageHeight);
    m_ui->WebBrowser1_0->setPage(new BrowserPage(viewProfile(), m_ui->WebBrowser1_0));
    m_host->addView(WebEngineBrowserView::attach(m_ui->WebBrowser1_0, m_scale));
    // A page's title is text, whatever markup it holds.
    m_ui->Label2->setTextFormat(Qt::PlainText);
    connectForm();
}

void FrmBrowser::scaleForm()
{
    // Geometry is twips; the form file holds it in pixels of 15 twips. On a display with
    // other twips per pixel every control gets the pixels of its twips there.
    scaleFormFromDesign(*this, m_scale);
}

void FrmBrowser::applyLook()
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(palette);
    setAutoFillBackground(true);
    // Quarter points cannot be written in a form file.
    setFont(formFont(6.75, true));
    m_ui->Command3->setFont(formFont(12, true));
    m_ui->Command2->setFont(formFont(6.75, false));

    // Rows below the end of a document show white, as a browser shows its empty canvas.
    QPalette white = m_ui->Picture1->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_ui->Picture1->setPalette(white);

    // The frame's pointer shapes belong to the window's own surface; the controls keep the
    // arrow (or their own shape) whatever the window shows.
    for (QWidget *control : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!control->testAttribute(Qt::WA_SetCursor))
            control->setCursor(Qt::ArrowCursor);
    }
    setMouseTracking(true);
    m_ui->Frame2->setMouseTracking(true);
    m_shape = PointerShape::Default;
    unsetCursor();
}

void FrmBrowser::connectForm()
{
    connect(m_ui->Command1, &QAbstractButton::clicked, this, &FrmBrowser::Command1_Click);
    connect(m_ui->Command2, &QAbstractButton::clicked, this, &FrmBrowser::Command2_Click);
    connect(m_ui->Command3, &QAbstractButton::clicked, this, &FrmBrowser::Command3_Click);
    connect(m_ui->Command5, &QAbstractButton::clicked, this, &FrmBrowser::Command5_Click);
    // Enter in the address box and "Go" open the address typed in the current view.
    connect(m_ui->Text1, &QLineEdit::returnPressed, this, &FrmBrowser::cmdGo_Click);
    connect(m_ui->cmdGo, &QAbstractButton::clicked, this, &FrmBrowser::cmdGo_Click);
    const QList<QAction *> buttons{m_ui->Back, m_ui->Forward, m_ui->Stop, m_ui->Refresh,
                                   m_ui->Home};
    for (int i = 0; i < buttons.size(); ++i)
        connect(buttons.at(i), &QAction::triggered, this,
                [this, i] { Toolbar1_ButtonClick(i + 1); });
    if (BrowserView *main = m_host->activeView())
        connectView(main, 0);
    connect(m_host.get(), &CaptureHost::Label6Changed, m_ui->Label6, &QLabel::setText);
    connect(m_host.get(), &CaptureHost::captureFailed, this, &FrmBrowser::showCaptureFailure);
    for (QWidget *watched :
         std::initializer_list<QWidget *>{m_ui->Picture1, m_ui->Frame2, m_ui->Frame1, m_ui->Label2,
                                          m_ui->Label6, m_ui->cmdGo, m_ui->Text1})
        watched->installEventFilter(this);
    m_ui->cmdGo->setMouseTracking(true);
}

void FrmBrowser::destroyForm()
{
    endFrameLoop();
    m_pressedHandle = nullptr;
    if (m_host) {
        m_pageHeight = m_host->PageHeight();
        // Views report as they go down; the handlers must not hear it.
        for (const QPointer<BrowserView> &view : m_host->WebBrowser1()) {
            if (view)
                view->disconnect(this);
        }
    }
    m_anchoring.reset();
    m_host.reset();
    for (const QPointer<QObject> &object : m_formObjects)
        delete object.data();
    m_formObjects.clear();
    m_ui.reset();
}

void FrmBrowser::Form_Load()
{
    // Every step runs even when an earlier one did not succeed.
    m_anchoring = m_anchoringFactory ? m_anchoringFactory(*this)
                                     : std::make_unique<AnchorLayout>(*this, m_scale);
    if (m_anchoring) {
        m_anchoring->setDontRefresh(true);
        m_anchoring->DoInit(roundHalfEven(double(m_scale.toTwipsY(float(height())))),
                            roundHalfEven(double(m_scale.toTwipsX(float(width())))));
    }
    // The window manager is told the same minimum, so that its own sizing stops there too.
    m_minimumSize = size();
    setMinimumSize(m_minimumSize);

    // A missing or unreadable copy leaves the plain grey default in place.
    static_cast<void>(m_host->loadWatermark(m_watermarkPath));
    showWatermarkPictures();

    PixelTwipsX = m_scale.PixelTwipsX;
    PixelTwipsY = m_scale.PixelTwipsY;
    EdgeMarginX = 10 * PixelTwipsX;
    EdgeMarginY = 10 * PixelTwipsY;
    m_host->setTwipsScale(m_scale);
    m_host->setActiveBrowser(0);

    // Completion from the addresses typed and visited so far.
    m_completion.attach(m_ui->Text1);

    m_host->followPicture1();
    if (const Result<void> started = m_writer.StartGdiplus(1); !started)
        showCaptureFailure(started.error());
    // The capture host made its five surfaces persistent, pixel-unit, hidden and auto-sized
    // when it was made; they take the places the form gives them.
    const auto place = [this](CaptureHost::Surface surface, const QWidget *control) {
        const TwipsScale &s = m_scale;
        m_host->placeSurface(surface, QRectF(s.toTwipsX(float(control->x())),
                                             s.toTwipsY(float(control->y())),
                                             s.toTwipsX(float(control->width())),
                                             s.toTwipsY(float(control->height()))));
    };
    place(CaptureHost::Surface::picPicture, m_ui->picPicture);
    place(CaptureHost::Surface::PicTemp, m_ui->PicTemp);
    place(CaptureHost::Surface::PicPrepare, m_ui->PicPrepare);
    place(CaptureHost::Surface::picWatermark1, m_ui->picWatermark1);
    place(CaptureHost::Surface::picWatermarkMain, m_ui->picWatermarkMain);
    m_host->resetCaptureCount();

    m_ui->Text1->setText(HomePageUrl.toString());
    m_ui->Text1->setFocus();
    if (BrowserView *view = m_host->activeView())
        view->Navigate(HomePageUrl.toString());
}

void FrmBrowser::Form_Unload()
{
    m_writer.StopGdiplus();
}

void FrmBrowser::showWatermarkPictures()
{
    m_ui->picWatermark1->setPixmap(QPixmap::fromImage(m_host->picWatermark1().picture().image()));
    m_ui->picWatermarkMain->setPixmap(
        QPixmap::fromImage(m_host->picWatermarkMain().picture().image()));
}

void FrmBrowser::Command5_Click()
{
    if (!m_host || m_host->isCapturing())
        return;
    // The walk steps through Picture1 by its height: nothing may size the window meanwhile,
    // nor maximise, restore or minimise it.
    holdSize(true);
    holdWindowState(true);
    m_host->Command5_Click();
    for (const QPointer<QWidget> &widget : std::exchange(m_closedDuringCapture, {})) {
        if (widget)
            widget->deleteLater();
    }
    holdSize(false);
    holdWindowState(false);
    if (m_closePending) {
        m_closePending = false;
        close();
    }
}

void FrmBrowser::holdSize(bool hold)
{
    if (hold) {
        // A maximised window is held as well: a restore the window manager makes would
        // otherwise size it before the window hears of it.
        if (!isMinimized())
            setFixedSize(size());
    } else {
        setMinimumSize(m_minimumSize);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

void FrmBrowser::holdWindowState(bool hold)
{
    if (hold) {
        m_heldState = windowState() & ~Qt::WindowActive;
        return;
    }
    m_heldState.reset();
    // A state asked for during the capture comes now, with the size free again.
    if (const std::optional<Qt::WindowStates> asked = std::exchange(m_stateAfterCapture, {}))
        setWindowState(*asked);
}

void FrmBrowser::Picture1_Resize()
{
    if (!m_host)
        return;
    m_host->followPicture1();
    // The main view follows the container by its anchoring; pop-up views cover it as well.
    if (m_host->isCapturing())
        return;
    for (std::size_t index = 1; index < m_host->WebBrowser1().size(); ++index) {
        if (BrowserView *view = m_host->WebBrowser1()[index]) {
            view->setWidth(m_host->Picture1Width());
            view->setHeight(m_host->Picture1Height());
        }
    }
}

void FrmBrowser::showCaptureFailure(const QString &message)
{
    auto *box =
        new QMessageBox(QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace tessaly
