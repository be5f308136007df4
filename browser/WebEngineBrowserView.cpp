#include "browser/WebEngineBrowserView.h"

#include "base/EventYield.h"
#include "browser/BrowserPage.h"
#include "browser/FrameWatcher.h"
#include "browser/JavaScriptRunner.h"
#include "browser/NavigateErrorCode.h"

#include <QAction>
#include <QEvent>
#include <QEventLoop>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

namespace tessaly {

namespace {

// A page busy with its own scripts (one growing every few milliseconds, on a loaded machine)
// can take seconds to answer; one that takes longer than this is taken for hung.
constexpr int ReadTimeoutMs = 10000;
// The page's own signs that it drew what was asked (its size, its scroll position, its
// animation frames) come for certain, only late on a loaded machine: waited for long.
constexpr int ScrollTimeoutMs = 6000;
constexpr int AnimationFramesTimeoutMs = 6000;
// A render on this side may never come when the page has nothing new to draw.
constexpr int RenderTimeoutMs = 1000;
constexpr int RepeatedFrameWaits = 2;
constexpr int RepeatedFrameWaitMs = 500;
constexpr int PrepareTimeoutMs = 8000;
constexpr int FirstFrameTimeoutMs = 2000;
// What a band's scroll started loading (late images, requests) gets this long to come; once
// a band has not settled in time, the page is taken for one that never goes quiet (polling,
// a ticking clock) and later bands wait for their images only, and not as long.
constexpr int SettleTimeoutMs = 3000;
constexpr int RestlessSettleTimeoutMs = 1000;
// The render asked for before the first band; a page that has nothing new to draw gives none.
constexpr int FirstRenderTimeoutMs = 300;

// Waits for a signal of `sender`, bounded; true when it came.
template <typename Sender, typename Signal>
bool waitForSignal(const Sender *sender, Signal signal, int timeoutMs,
                   const QWebEnginePage *abortPage = nullptr)
{
    QEventLoop loop;
    bool fired = false;
    QObject::connect(
        sender, signal, &loop,
        [&] {
            fired = true;
            loop.quit();
        },
        Qt::QueuedConnection);
    if (abortPage)
        QObject::connect(abortPage, &QWebEnginePage::renderProcessTerminated, &loop,
                         &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return fired;
}

} // namespace

WebEngineBrowserView *WebEngineBrowserView::create(QWidget *container, TwipsScale scale,
                                                   QWebEngineProfile *profile)
{
    auto *view = new QWebEngineView(container);
    view->setPage(new BrowserPage(profile ? profile : QWebEngineProfile::defaultProfile(), view));
    return new WebEngineBrowserView(container, view, scale, QRect(QPoint(0, 0), container->size()));
}

WebEngineBrowserView *WebEngineBrowserView::attach(QWebEngineView *view, TwipsScale scale)
{
    if (!view || !view->parentWidget())
        return nullptr;
    return new WebEngineBrowserView(view->parentWidget(), view, scale, view->geometry());
}

WebEngineBrowserView::WebEngineBrowserView(QWidget *container, QWebEngineView *view,
                                           TwipsScale scale, const QRect &geometry)
    : BrowserView(view), m_scale(scale), m_container(container), m_view(view)
{
    m_left = m_scale.toTwipsX(float(geometry.x()));
    m_top = m_scale.toTwipsY(float(geometry.y()));
    m_width = m_scale.toTwipsX(float(geometry.width()));
    m_height = m_scale.toTwipsY(float(geometry.height()));
    connectEngineSignals();
    place();
    m_sizeShown = true; // nothing is shown yet: the first load draws at this size
    m_view->installEventFilter(this);
    m_view->show();
}

bool WebEngineBrowserView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        adoptWidgetGeometry();
    return BrowserView::eventFilter(watched, event);
}

void WebEngineBrowserView::adoptWidgetGeometry()
{
    // Whoever lays out the container (the window's anchoring) may move or size the widget
    // directly: that is then the view's place and size. While a capture walks the view,
    // its widget differs from the view's geometry by design and is left alone.
    const bool walking = m_scrollBeforeCapture >= 0;
    if (!m_view || walking || m_view->geometry() == m_placed)
        return;
    const QRect g = m_view->geometry();
    if (g.size() != m_placed.size()) {
        m_sizeShown = false;
        m_frame = QImage();
    }
    m_placed = g;
    m_left = m_scale.toTwipsX(float(g.x()));
    m_top = m_scale.toTwipsY(float(g.y()));
    m_width = m_scale.toTwipsX(float(g.width()));
    m_height = m_scale.toTwipsY(float(g.height()));
}

WebEngineBrowserView::~WebEngineBrowserView() = default;

void WebEngineBrowserView::connectEngineSignals()
{
    QWebEnginePage *page = m_view->page();
    connect(page, &QWebEnginePage::titleChanged, this, &BrowserView::TitleChange);
    connect(page, &QWebEnginePage::linkHovered, this, &BrowserView::StatusTextChange);
    connect(page, &QWebEnginePage::loadProgress, this,
            [this](int progress) { emit ProgressChange(progress, 100); });
    connect(page, &QWebEnginePage::loadStarted, this, [this] {
        m_answering = true;
        m_rendererAlive = true;
        m_documentScroll = 0;
        m_scrollShown = true;
        m_sizeShown = true;
        m_documentDrawn = false;
        m_frame = QImage();
        emit BeforeNavigate2(m_view->page()->requestedUrl().toString(), QString());
    });
    // The contents size travels with the frames the page draws, so its first change after a
    // load says the new document has reached this side. Loading finishes well before that:
    // until then the view still shows blank or the previous page.
    connect(page, &QWebEnginePage::contentsSizeChanged, this, [this] { m_documentDrawn = true; });
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
            return;
        if (const auto code = NavigateErrorCode(info.errorDomain(), info.errorCode()))
            emit NavigateError(info.url().toString(), QString(), *code);
    });
    connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        // The end of a renderer can be told after the next load has started: a document
        // that loaded has one.
        if (!ok)
            return;
        m_rendererAlive = true;
        tellTopDocumentComplete();
    });
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus, int) {
                m_rendererAlive = false;
                emit RendererGone();
            });
    connect(page, &QWebEnginePage::windowCloseRequested, this,
            [this] { emit WindowClosing(false); });
    // The engine's own Back and Forward commands know when there is a step to take; their
    // state is told at the first navigation and whenever it changes.
    for (const auto action : {QWebEnginePage::Back, QWebEnginePage::Forward})
        connect(page->action(action), &QAction::changed, this,
                &WebEngineBrowserView::tellCommandStates);
    connect(page, &QWebEnginePage::loadStarted, this, &WebEngineBrowserView::tellCommandStates);

    auto *browserPage = qobject_cast<BrowserPage *>(page);
    if (!browserPage)
        return;
    connect(browserPage->frames(), &FrameWatcher::captureSettled, this,
            [this](int serial) { m_settled = std::max(m_settled, serial); });
    browserPage->setWindowFactory([this]() -> QWebEnginePage * {
        BrowserView *target = nullptr;
        emit NewWindow2(&target);
        auto *view = qobject_cast<WebEngineBrowserView *>(target);
        return view && view->m_view ? view->m_view->page() : nullptr;
    });
    // Frames below the top document; a frame without a name is no target the lists keep,
    // and an empty name means the top document to whoever watches navigations.
    connect(browserPage->frames(), &FrameWatcher::frameNavigating, this,
            [this](const QString &address, const QString &name) {
                if (!name.isEmpty())
                    emit BeforeNavigate2(address, name);
            });
    connect(browserPage->frames(), &FrameWatcher::frameCompleted, this,
            [this](const QString &address, int height) {
                emit DocumentComplete(address,
                                      height < 0 ? -1 : int(std::lround(height * cssScale())));
            });
}

void WebEngineBrowserView::tellTopDocumentComplete()
{
    // The height is asked for without waiting: a page whose renderer is busy (a script that
    // opens windows in a loop shares it with them) must not hold the program meanwhile. A
    // page that never answers completes without a height.
    const QString address = m_view->url().toString();
    auto told = std::make_shared<bool>(false);
    const QPointer<WebEngineBrowserView> self(this);
    const auto tell = [self, told, address](int height) {
        if (!self || *told)
            return;
        *told = true;
        emit self->DocumentComplete(address, height);
    };
    const double zoom = cssScale();
    m_view->page()->runJavaScript(
        QStringLiteral("document.body ? document.body.scrollHeight : -1"),
        QWebEngineScript::ApplicationWorld, [tell, told, zoom](const QVariant &result) {
            // A page being destroyed answers its scripts with nothing: no completion then,
            // not even by the fallback.
            if (!result.isValid()) {
                *told = true;
                return;
            }
            bool ok = false;
            const double height = result.toDouble(&ok);
            tell(ok && height >= 0 ? int(std::lround(height * zoom)) : -1);
        });
    // Once another load has begun, neither a late answer nor the fallback may tell this
    // document's completion: it would be taken for the new one's (a history entry, and the
    // address box overwritten while the user may be typing).
    auto *fallback = new QTimer(this);
    fallback->setSingleShot(true);
    connect(m_view->page(), &QWebEnginePage::loadStarted, fallback, [told, fallback] {
        *told = true;
        fallback->deleteLater();
    });
    connect(fallback, &QTimer::timeout, this, [tell, fallback] {
        tell(-1);
        fallback->deleteLater();
    });
    fallback->start(ReadTimeoutMs);
}

void WebEngineBrowserView::tellCommandStates()
{
    if (!m_view)
        return;
    const auto tell = [this](QWebEnginePage::WebAction action, int command,
                             std::optional<bool> &told) {
        const bool enabled = m_view->page()->action(action)->isEnabled();
        if (told != enabled) {
            told = enabled;
            emit CommandStateChange(command, enabled);
        }
    };
    tell(QWebEnginePage::Back, BackCommand, m_backEnabled);
    tell(QWebEnginePage::Forward, ForwardCommand, m_forwardEnabled);
}

void WebEngineBrowserView::setSilent(bool silent)
{
    if (auto *page = m_view ? qobject_cast<BrowserPage *>(m_view->page()) : nullptr)
        page->setSilent(silent);
}

bool WebEngineBrowserView::silent() const
{
    auto *page = m_view ? qobject_cast<BrowserPage *>(m_view->page()) : nullptr;
    return page && page->silent();
}

void WebEngineBrowserView::setTwipsScale(TwipsScale scale)
{
    m_scale = scale;
    place();
}

QWidget *WebEngineBrowserView::widget()
{
    return m_view;
}

bool WebEngineBrowserView::tall() const
{
    return m_container && m_scale.pixelsY(m_height) > m_container->height();
}

void WebEngineBrowserView::setWidgetGeometry(const QRect &geometry)
{
    if (geometry.size() != m_view->size()) {
        m_sizeShown = false;
        m_frame = QImage();
    }
    m_placed = geometry;
    m_view->setGeometry(geometry);
}

void WebEngineBrowserView::place()
{
    if (!m_view || !m_container)
        return;
    const int left = m_scale.pixelsX(m_left);
    const int top = m_scale.pixelsY(m_top);
    const int width = m_scale.pixelsX(m_width);
    const int height = m_scale.pixelsY(m_height);
    if (!tall()) {
        setWidgetGeometry(QRect(left, top, width, height));
        if (m_scrollBeforeCapture >= 0) {
            scrollDocumentTo(m_scrollBeforeCapture);
            m_scrollBeforeCapture = -1;
        }
        return;
    }
    if (m_scrollBeforeCapture < 0) {
        m_scrollBeforeCapture = scrollPositionY();
        scrollDocumentTo(0);
        // A document that scrolls (the page's own, one let grow, or a window-filling frame's)
        // is walked by scrolling a container-high widget: no resize, and each band costs one
        // small read-back. A page whose height lies in frames that cannot grow (a frame set
        // whose scrolling frame does not fill the window) needs the widget itself tall, so the
        // frames grow with it as in a view as tall as the page.
        m_tallWidgetHeight = m_capturePage.scrolls() ? m_container->height() : MaxWidgetHeight;
    }
    // Rows [first, first + container height) of the tall view show in the container. The
    // widget shows document rows [scroll, scroll + widget height) with its top at
    // scroll - first; scroll on only when those rows leave it.
    const int widgetHeight = std::min(height, m_tallWidgetHeight);
    const int first = std::max(0, -top);
    const int last = std::min(height, first + m_container->height());
    if (first < m_documentScroll || last > m_documentScroll + widgetHeight)
        scrollDocumentTo(first);
    setWidgetGeometry(QRect(left, m_documentScroll - first, width, widgetHeight));
}

void WebEngineBrowserView::scrollDocumentTo(int y)
{
    const JavaScriptRunner js = script();
    const double zoom = cssScale();
    // The capture's own scroll also moves what is fixed to the window with the page.
    std::optional<double> position;
    if (const auto scrolled = m_capturePage.scrollTo(js, double(y) / zoom)) {
        position = scrolled->reached;
        m_contentHeight = int(std::lround(scrolled->content * zoom));
    }
    const int reached = position ? int(std::lround(*position * zoom)) : y;
    if (reached != m_documentScroll || !position) {
        m_scrollShown = false;
        // Kept to tell the frame at the new position from it; a frame already dropped keeps
        // the one from before the earlier move.
        if (!m_frame.isNull())
            m_frameBeforeMove = std::exchange(m_frame, QImage());
    }
    m_documentScroll = reached;
}

QQuickWindow *WebEngineBrowserView::renderWindow() const
{
    auto *quick = m_view ? qobject_cast<QQuickWidget *>(m_view->focusProxy()) : nullptr;
    return quick ? quick->quickWindow() : nullptr;
}

void WebEngineBrowserView::countRenders()
{
    // The render window exists once the view has been shown.
    QQuickWindow *window = renderWindow();
    if (!window || window == m_countedWindow)
        return;
    m_countedWindow = window;
    connect(
        window, &QQuickWindow::afterRendering, this, [this] { ++m_renders; }, Qt::DirectConnection);
}

void WebEngineBrowserView::waitForNextRender(int timeoutMs)
{
    if (QQuickWindow *window = renderWindow())
        waitForSignal(window, &QQuickWindow::afterRendering, timeoutMs, m_view->page());
}

void WebEngineBrowserView::waitForFreshRender(int timeoutMs)
{
    // Ask for a render rather than wait for one: a page that has stopped changing draws no
    // more frames, and the next render takes up the newest frame the page has delivered.
    countRenders();
    QQuickWindow *window = renderWindow();
    if (!window)
        return;
    const quint64 before = m_renders;
    window->update();
    if (m_renders == before)
        waitForSignal(window, &QQuickWindow::afterRendering, timeoutMs, m_view->page());
}

bool WebEngineBrowserView::waitForScrollPosition(int y, int timeoutMs)
{
    QWebEnginePage *page = m_view->page();
    const auto reached = [this, y] { return scrollPositionY() == y; };
    if (reached())
        return true;
    QEventLoop loop;
    connect(page, &QWebEnginePage::scrollPositionChanged, &loop, [&] {
        if (reached())
            loop.quit();
    });
    connect(page, &QWebEnginePage::renderProcessTerminated, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return reached();
}

bool WebEngineBrowserView::waitForViewportHeight(int height, int timeoutMs)
{
    const JavaScriptRunner js = script();
    // innerHeight is whole CSS pixels: at a zoom it matches the widget within one of them.
    const double zoom = cssScale();
    return js.waitFor(QStringLiteral("Math.abs(window.innerHeight * %1 - %2) < %1")
                          .arg(zoom, 0, 'g', 17)
                          .arg(height),
                      timeoutMs, 5);
}

bool WebEngineBrowserView::waitUntilShown()
{
    if (!m_view)
        return false;
    countRenders();
    bool shown = true;
    if (!m_sizeShown) {
        // A resized page lays out again and draws at its new size some frames later.
        shown = waitForViewportHeight(m_view->height(), ScrollTimeoutMs);
        shown = waitForAnimationFrames() && shown;
        // The frame drawn at the new size reaches this side after those animation frames;
        // it comes by itself, and a render asked for now would show the old one. It may also
        // have come already, while the frames were waited for.
        waitForNextRender(RenderTimeoutMs);
        m_sizeShown = true;
        m_frame = QImage();
    }
    if (!m_scrollShown) {
        // The scroll position reaches this side with the frame's metadata, a little before
        // the frame itself is drawn here: wait for the position, then for a render after it.
        // A frame's scroll position is not told: the page's animation frames show it drawn.
        if (m_capturePage.walk() == CapturePage::Walk::Frame)
            shown = waitForAnimationFrames() && shown;
        else
            shown = waitForScrollPosition(m_documentScroll, ScrollTimeoutMs) && shown;
        waitForFreshRender(RenderTimeoutMs);
        m_scrollShown = true;
        m_frame = QImage();
        // Under load the frame drawn at the new position can reach this side after the
        // render asked for. A render that still shows the frame from before the move is
        // followed by the next one; a page that looks the same there draws no more and ends
        // the wait by its bound.
        for (int wait = 0; wait < RepeatedFrameWaits && !m_frameBeforeMove.isNull() &&
                           currentFrame() == m_frameBeforeMove;
             ++wait) {
            waitForNextRender(RepeatedFrameWaitMs);
            m_frame = QImage();
        }
        m_frameBeforeMove = QImage();
        waitForBandToSettle();
    }
    // The grab comes next: the view takes in what the waits above brought before it.
    yieldToEvents();
    return shown;
}

void WebEngineBrowserView::waitForBandToSettle()
{
    const auto settling = m_capturePage.settle(script(), !m_restless);
    if (!settling || !settling->waiting || m_interrupted)
        return;
    auto *page = qobject_cast<BrowserPage *>(m_view->page());
    if (!page)
        return;
    // The report can come while the question is still being answered.
    const auto settled = [this, &settling] { return m_settled >= settling->serial; };
    if (!settled()) {
        QEventLoop loop;
        connect(page->frames(), &FrameWatcher::captureSettled, &loop, [&] {
            if (settled())
                loop.quit();
        });
        connect(page, &QWebEnginePage::renderProcessTerminated, &loop, &QEventLoop::quit);
        connect(this, &WebEngineBrowserView::waitsInterrupted, &loop, &QEventLoop::quit);
        QTimer::singleShot(m_restless ? RestlessSettleTimeoutMs : SettleTimeoutMs, &loop,
                           &QEventLoop::quit);
        loop.exec();
    }
    if (!settled())
        m_restless = true;
    // What has come is drawn in the page's next frames; the render asked for after them
    // takes up the newest.
    waitForAnimationFrames();
    waitForFreshRender(RenderTimeoutMs);
    m_frame = QImage();
    m_contentHeight.reset();
}

std::optional<int> WebEngineBrowserView::contentHeight()
{
    if (!m_view || !m_capturePage.scrolls())
        return std::nullopt;
    if (!m_contentHeight) {
        if (const auto height = m_capturePage.contentHeight(script()))
            m_contentHeight = int(std::lround(*height * cssScale()));
    }
    return m_contentHeight;
}

void WebEngineBrowserView::interruptWaits()
{
    m_interrupted = true;
    emit waitsInterrupted();
}

const QImage &WebEngineBrowserView::currentFrame()
{
    if (m_frame.isNull() || m_frame.size() != m_view->size()) {
        auto *quick = qobject_cast<QQuickWidget *>(m_view->focusProxy());
        m_frame = quick ? quick->grabFramebuffer() : m_view->grab().toImage();
        // A scaled display draws more pixels than the widget has: the picture is made of the
        // widget's, each the average of those it covers, as picking one would break up text.
        if (!m_frame.isNull() && m_frame.size() != m_view->size())
            m_frame =
                m_frame.scaled(m_view->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_frame.setDevicePixelRatio(1);
    }
    return m_frame;
}

QImage WebEngineBrowserView::renderArea(const QRect &area)
{
    if (!m_view)
        return {};
    return currentFrame().copy(area);
}

bool WebEngineBrowserView::waitForAnimationFrames()
{
    // Two animation frames: the second starts only once the first has been drawn.
    const JavaScriptRunner js = script();
    js.run(QStringLiteral("window.__tessalyFrames = 0; requestAnimationFrame(() => "
                          "requestAnimationFrame(() => { window.__tessalyFrames = 2; })); true"));
    return js.waitFor(QStringLiteral("window.__tessalyFrames === 2"), AnimationFramesTimeoutMs, 5);
}

JavaScriptRunner WebEngineBrowserView::script(JavaScriptRunner::World world)
{
    // A page that let a script go unanswered is asked nothing more in this capture (each
    // question would cost the whole wait again), nor is a page without a renderer.
    const bool ask = m_view && m_answering && m_rendererAlive;
    JavaScriptRunner js(ask ? m_view->page() : nullptr, ReadTimeoutMs, world);
    js.setNoAnswerHandler([this] {
        if (!m_answering)
            return;
        m_answering = false;
        emit PageNotAnswering();
    });
    return js;
}

void WebEngineBrowserView::prepareForCapture()
{
    if (!m_view)
        return;
    m_answering = true; // a page busy at the last capture gets another chance
    const JavaScriptRunner js = script();
    // Images the page defers until they come into view: load them now, as a view as tall as
    // the page would.
    js.run(QStringLiteral(
        "document.querySelectorAll('img[loading=\"lazy\"], iframe[loading=\"lazy\"]')"
        ".forEach(e => { e.loading = 'eager'; }); true"));
    js.waitFor(QStringLiteral("document.readyState === 'complete' && "
                              "(!document.fonts || document.fonts.status === 'loaded') && "
                              "Array.from(document.images).every(i => i.complete)"),
               PrepareTimeoutMs);
    // A new document of the very size of the last one gives no sign: then the wait is bounded.
    if (!m_documentDrawn)
        waitForSignal(m_view->page(), &QWebEnginePage::contentsSizeChanged, FirstFrameTimeoutMs,
                      m_view->page());
    m_documentDrawn = true;
    // Then the page is made to show what a view as tall as the page would, from its top.
    m_interrupted = false;
    m_restless = false;
    m_settled = 0;
    m_contentHeight.reset();
    if (auto *page = qobject_cast<BrowserPage *>(m_view->page()))
        m_capturePage.prepare(js, script(JavaScriptRunner::World::Page), page->frames()->token());
    m_documentScroll = 0;
    // The first frame after loading can come after the load itself: let the page draw two
    // animation frames and this side render once before the first band.
    waitForAnimationFrames();
    waitForFreshRender(FirstRenderTimeoutMs);
    m_frame = QImage();
}

void WebEngineBrowserView::finishCapture()
{
    if (!m_view)
        return;
    m_capturePage.finish(script());
    m_contentHeight.reset();
}

std::optional<int> WebEngineBrowserView::bodyScrollHeight(const QStringList &framePath)
{
    if (!m_view)
        return std::nullopt;
    // In a view as tall as the page, the body is as tall as the page's content: a body one
    // window high whose content overflows it (a frame or column let grow, or content laid
    // out beside the body's flow) would otherwise measure one screen.
    if (framePath.isEmpty() && m_capturePage.scrolls()) {
        if (const auto height = m_capturePage.bodyHeight(script()))
            return int(std::lround(*height * cssScale()));
    }
    // Frames are found by their name attribute; a frame of another origin cannot be read.
    const QString script = QStringLiteral(R"((function (names) {
  try {
    let doc = document;
    for (const name of names) {
      const frame = Array.from(doc.querySelectorAll('iframe, frame')).find(f => f.name === name);
      if (!frame || !frame.contentDocument) return null;
      doc = frame.contentDocument;
    }
    return doc.body ? doc.body.scrollHeight : null;
  } catch (e) { return null; }
})(%1))")
                               .arg(JavaScriptRunner::jsonLiteral(framePath));
    const auto result = this->script().run(script);
    if (!result)
        return std::nullopt;
    bool ok = false;
    const double height = result->toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return int(std::lround(height * cssScale()));
}

double WebEngineBrowserView::cssScale() const
{
    return m_view ? m_view->zoomFactor() : 1.0;
}

int WebEngineBrowserView::scrollPositionY() const
{
    // The engine reports the scroll position in device pixels.
    if (!m_view)
        return 0;
    return int(std::lround(m_view->page()->scrollPosition().y() / m_view->devicePixelRatioF()));
}

void WebEngineBrowserView::setLeft(float twips)
{
    m_left = twips;
    place();
}

void WebEngineBrowserView::setTop(float twips)
{
    m_top = twips;
    place();
}

void WebEngineBrowserView::setWidth(float twips)
{
    m_width = twips;
    place();
}

void WebEngineBrowserView::setHeight(float twips)
{
    m_height = twips;
    place();
}

void WebEngineBrowserView::setVisible(bool visible)
{
    if (m_view)
        m_view->setVisible(visible);
}

void WebEngineBrowserView::Navigate(const QString &address)
{
    if (m_view)
        m_view->setUrl(QUrl::fromUserInput(address));
}

void WebEngineBrowserView::GoBack()
{
    if (m_view)
        m_view->back();
}

void WebEngineBrowserView::GoForward()
{
    if (m_view)
        m_view->forward();
}

void WebEngineBrowserView::Stop()
{
    if (m_view)
        m_view->stop();
}

void WebEngineBrowserView::Refresh()
{
    if (m_view)
        m_view->reload();
}

QString WebEngineBrowserView::LocationURL() const
{
    return m_view ? m_view->url().toString() : QString();
}

} // namespace tessaly
