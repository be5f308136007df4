#pragma once

#include "browser/CapturePage.h"
#include "browser/JavaScriptRunner.h"
#include "capture/BrowserView.h"
#include "drawing/Twips.h"

#include <QPointer>
#include <QQuickWindow>

#include <QWebEngineView>

class QWebEngineProfile;

namespace tessaly {

/// A browser view over the embedded web engine.
///
/// The engine shows nothing in a view much taller than about 16,000 pixels, and resizing
/// and reading back a tall view costs as much as its whole height. So a view made taller
/// than its container for a capture is realised by scrolling the document behind a widget
/// that keeps the container's height; the container then shows the very rows the tall view
/// would show there (see CapturePage for what is scrolled). Only a page whose height lies in
/// frames that cannot grow gets a tall widget, of at most MaxWidgetHeight pixels, scrolled by
/// whole chunks.
/// The rendered frame is read back once after each change and served from memory until the
/// next one.
class WebEngineBrowserView : public BrowserView
{
    Q_OBJECT
public:
    /// The commands CommandStateChange tells about.
    static constexpr int ForwardCommand = 1;
    static constexpr int BackCommand = 2;

    /// Makes a view inside `container`; `profile` may be null for the default one. The view
    /// belongs to its widget, which belongs to the container: deleting the widget deletes both.
    static WebEngineBrowserView *create(QWidget *container, TwipsScale scale,
                                        QWebEngineProfile *profile = nullptr);
    /// Makes a view over an engine view that already stands in its container, keeping the
    /// place and size it has there. The view belongs to `view`.
    static WebEngineBrowserView *attach(QWebEngineView *view, TwipsScale scale);
    ~WebEngineBrowserView() override;

    QWebEngineView *engineView() const { return m_view; }
    void setTwipsScale(TwipsScale scale);

    QWidget *widget() override;
    float Left() const override { return m_left; }
    float Top() const override { return m_top; }
    float Width() const override { return m_width; }
    float Height() const override { return m_height; }
    void setLeft(float twips) override;
    void setTop(float twips) override;
    void setWidth(float twips) override;
    void setHeight(float twips) override;
    void setVisible(bool visible) override;

    void Navigate(const QString &address) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    void Refresh() override;
    void setSilent(bool silent) override;
    bool silent() const;
    void setResizable(bool resizable) override { m_resizable = resizable; }
    QString LocationURL() const override;

    std::optional<int> bodyScrollHeight(const QStringList &framePath = {}) override;
    void prepareForCapture() override;
    void finishCapture() override;
    bool hasRenderer() const override { return m_rendererAlive; }
    bool waitUntilShown() override;
    QImage renderArea(const QRect &area) override;
    std::optional<int> contentHeight() override;
    void interruptWaits() override;

    /// The tallest the widget itself is made, in pixels.
    static constexpr int MaxWidgetHeight = 8000;

    /// Widget pixels per CSS pixel: the page's zoom. A widget N times the size wanted with
    /// the page zoomed N times lays the page out at the size wanted and draws it N times
    /// as sharp; every height and position read from the page is converted by it.
    double cssScale() const;

signals:
    void waitsInterrupted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WebEngineBrowserView(QWidget *container, QWebEngineView *view, TwipsScale scale,
                         const QRect &geometry);
    void adoptWidgetGeometry();
    void place();
    bool tall() const;
    void scrollDocumentTo(int y);
    int scrollPositionY() const;
    QQuickWindow *renderWindow() const;
    void countRenders();
    /// Best effort, bounded: a page with nothing new to draw gives no render.
    void waitForNextRender(int timeoutMs);
    void waitForFreshRender(int timeoutMs);
    bool waitForScrollPosition(int y, int timeoutMs);
    bool waitForViewportHeight(int height, int timeoutMs);
    void setWidgetGeometry(const QRect &geometry);
    /// The widget's rendered frame, read back once per change.
    const QImage &currentFrame();
    void connectEngineSignals();
    /// A script runner for this page, bounded by the read time.
    JavaScriptRunner script(JavaScriptRunner::World world = JavaScriptRunner::World::Program);
    /// Waits, bounded, until what showing the band started loading has come and is drawn.
    void waitForBandToSettle();
    /// Lets the page draw two animation frames; false when it did not in time.
    bool waitForAnimationFrames();
    void tellCommandStates();
    void tellTopDocumentComplete();

    TwipsScale m_scale;
    QPointer<QWidget> m_container;
    QPointer<QWebEngineView> m_view;
    float m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_answering = true;     ///< false once a script went unanswered, until a capture or load
    bool m_rendererAlive = true; ///< false from the renderer's end until the next load
    std::optional<bool> m_backEnabled;    ///< last back command state told
    std::optional<bool> m_forwardEnabled; ///< last forward command state told
    bool m_resizable = true;
    int m_documentScroll = 0;       ///< where the document is scrolled to, CSS pixels
    bool m_scrollShown = true;      ///< whether a frame at m_documentScroll has been rendered
    bool m_sizeShown = true;        ///< whether a frame at the widget's size has been rendered
    bool m_documentDrawn = false;   ///< whether a frame of the current document has arrived
    int m_scrollBeforeCapture = -1; ///< the user's scroll position, restored after a capture
    int m_tallWidgetHeight = 0;     ///< the widget's height while the view is tall
    QRect m_placed;                 ///< the widget geometry place() last set
    QImage m_frame;                 ///< the widget's rendered frame, null when out of date
    QImage m_frameBeforeMove;       ///< the frame shown before the last scroll, until shown anew
    CapturePage m_capturePage;
    std::optional<int> m_contentHeight; ///< from the last scroll, until the page may have grown
    bool m_restless = false;    ///< a band's loading did not settle in time: wait less from now on
    bool m_interrupted = false; ///< the waits of this capture are to end at once
    int m_settled = 0;          ///< the newest band the page reported settled
    QPointer<QQuickWindow> m_countedWindow;
    quint64 m_renders = 0; ///< renders of the widget so far
};

} // namespace tessaly
