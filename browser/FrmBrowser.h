#pragma once

#include "browser/AddressCompletion.h"
#include "browser/FormAnchoring.h"
#include "browser/FrameZones.h"
#include "drawing/Twips.h"
#include "imagefile/SaveBitmapAs.h"

#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class FrmBrowser;
}

class QAction;
class QWebEngineProfile;

namespace tessaly {

class BrowserView;
class CaptureHost;
class LiveSettings;

/// The capture window: a borderless window with its own header panel, address bar, toolbar,
/// counter, status bar and the browser views, over the capture engine.
///
/// The object lives for the whole run; its controls do not. Show() loads the window (builds
/// the controls from the form file and runs Form_Load) unless it is loaded, and closing it
/// unloads it (Form_Unload, then the controls, views and lists go). The navigation history
/// and the last measured page height outlive an unload; the counter starts again at 0.
///
/// Anchoring is attached by the owner through setAnchoring(); without it the window makes
/// an AnchorLayout of its own.
class FrmBrowser : public QWidget
{
    Q_OBJECT
public:
    /// The page the window opens on and the Home button goes to.
    static constexpr QStringView HomePageUrl = u"https://duckduckgo.com/";

    /// `settings` are read at every capture and navigation; `watermarkPath` is the user's
    /// watermark copy ("watermark.bmp" in the settings folder), loaded at every load.
    FrmBrowser(LiveSettings &settings, QString watermarkPath, QWidget *parent = nullptr);
    ~FrmBrowser() override;

    /// Loads the window if it is not loaded, then shows and raises it.
    void Show();
    bool isLoaded() const { return m_ui != nullptr; }

    /// Makes the anchoring at each later load.
    void setAnchoring(FormAnchoringFactory factory);
    /// Where each later load reads the twips per pixel from; the window's screen by default.
    void setDisplayScaleSource(std::function<TwipsScale(const QWidget &)> source);

    /// The capture engine of the loaded window; null while unloaded.
    CaptureHost *host() const { return m_host.get(); }
    /// Cookies and site storage of the views made from now on; it must outlive the window.
    /// Unset, the views keep nothing past the run.
    void setBrowserProfile(QWebEngineProfile *profile) { m_profile = profile; }
    /// The profile every view is made with, pop-ups included: the one set, else the default.
    QWebEngineProfile *viewProfile() const;
    /// Most pop-up views loaded at once; a page asking for more gets no window.
    static constexpr int MaxPopupViews = 8;
    /// The addresses the address box completes, typed and visited in this run.
    const AddressCompletion &addressCompletion() const { return m_completion; }
    /// The frame rules at the current margins.
    FrameZones frameZones() const { return FrameZones(EdgeMarginX, EdgeMarginY); }
    /// The window's place and size on the screen, twips.
    TwipsRect windowTwips() const;

    /// Hands the pointer to the windowing system's move loop for `frm`, or moves this
    /// window with the pointer itself where nothing takes the request.
    void DragForm(QWidget *frm);

    // Fields of the window object, kept across loads unless load sets them.
    float PixelTwipsX = 15;
    float PixelTwipsY = 15;
    float EdgeMarginX = 150; ///< twips
    float EdgeMarginY = 150; ///< twips
    QStringList History;
    std::int16_t BackIndex = 0;
    std::int16_t ForwardIndex = 0;
    bool GoingBack = false;
    bool GoingForward = false;
    QString LastStatusText;

signals:
    void loadedChanged(bool loaded);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildForm();
    void scaleForm();
    void applyLook();
    void connectForm();
    void destroyForm();
    void Form_Load();
    void Form_Unload();
    void showWatermarkPictures();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();
    void Picture1_Resize();
    void showCaptureFailure(const QString &message);

    // Browser events and the array of views.
    void connectView(BrowserView *view, int index);
    BrowserView *viewAt(int index) const;
    int loadedViewCount() const;
    int freeViewIndex() const;
    void showCurrentView();
    void WebBrowser1_StatusTextChange(const QString &text);
    void WebBrowser1_ProgressChange(int progress, int progressMax);
    void WebBrowser1_CommandStateChange(int command, bool enable);
    void WebBrowser1_TitleChange(const QString &text);
    void WebBrowser1_BeforeNavigate2(int index, const QString &address, const QString &frameName);
    BrowserView *WebBrowser1_NewWindow2();
    void WebBrowser1_WindowClosing(int index);
    void WebBrowser1_NavigateError(const QString &address, int statusCode);
    void WebBrowser1_DocumentComplete(const QString &address, int height);
    void showLoadStart(int index, const QString &address, const QString &frameName);
    void showLoadEnd(int index, const QString &address);

    // Navigation controls.
    void cmdGo_Click();
    void cmdGo_MouseMove();
    void Text1_Click();
    void Text1_DblClick();
    void Toolbar1_ButtonClick(int button);
    void stepHistory(bool back);
    std::optional<QString> historyEntry(int number) const;
    void addMenuEntry(QAction *button, int historyNumber);

    // Frame handling.
    QPointF GetCursorTwips() const;
    void SetCursorTwips(QPointF twips) const;
    void setPointerShape(PointerShape shape);
    void Form_MouseDown(QMouseEvent *event);
    void Form_MouseMove(QMouseEvent *event);
    void beginFrameLoop(const FramePress &press);
    void frameLoopPass();
    void endFrameLoop();
    bool handleDragHandle(QWidget *handle, QEvent *event);
    bool framesLocked() const;
    void holdSize(bool hold);
    void holdWindowState(bool hold);

    LiveSettings &m_settings;
    const QString m_watermarkPath;
    SaveBitmapAs m_writer;
    FormAnchoringFactory m_anchoringFactory;
    std::function<TwipsScale(const QWidget &)> m_scaleSource;

    // The loaded window; all empty while unloaded.
    std::unique_ptr<Ui::FrmBrowser> m_ui;
    std::vector<QPointer<QObject>> m_formObjects;
    std::unique_ptr<CaptureHost> m_host;
    std::unique_ptr<FormAnchoring> m_anchoring;
    TwipsScale m_scale;
    QWebEngineProfile *m_profile = nullptr;
    QSize m_minimumSize;
    std::int32_t m_pageHeight = 0; ///< PageHeight between loads

    // Frame state.
    PointerShape m_shape = PointerShape::Default;
    bool m_frameLoop = false;
    FramePress m_press;
    QPointer<QWidget> m_pressedHandle;
    QPointF m_handlePressTwips; ///< pointer on the screen at the press on a drag handle
    bool m_maximizedByUs = false;
    QRect m_normalGeometry;
    /// A close asked for while a capture ran: the capture's waits for the page to draw let
    /// it in, and unloading then would pull the views and surfaces from under the walk.
    bool m_closePending = false;
    /// The state a capture keeps the window in, and the one asked for meanwhile.
    std::optional<Qt::WindowStates> m_heldState;
    std::optional<Qt::WindowStates> m_stateAfterCapture;
    /// The status panel shows a load of the current view that has not ended yet.
    bool m_loadShown = false;
    std::vector<QPointer<QWidget>> m_closedDuringCapture; ///< pop-up views to free after it

    AddressCompletion m_completion;
};

} // namespace tessaly
