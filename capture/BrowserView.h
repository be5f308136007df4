#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace tessaly {

/// One browser view of the capture window. Geometry is in twips relative to the container
/// `Picture1`. Document reads answer synchronously within a bounded wait; nothing means the
/// read failed (nothing loaded, no such frame, access refused, or no answer in time).
///
/// A view may be made far taller than its container during a capture; an implementation is
/// free to realise that however its engine allows, as long as the container then shows the
/// part of the page that the geometry puts there, and renderArea of its widget gives it.
class BrowserView : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~BrowserView() override = default;

    /// The widget that shows the page, a child of the container.
    virtual QWidget *widget() = 0;

    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void setLeft(float twips) = 0;
    virtual void setTop(float twips) = 0;
    virtual void setWidth(float twips) = 0;
    virtual void setHeight(float twips) = 0;
    virtual void setVisible(bool visible) = 0;

    virtual void Navigate(const QString &address) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;
    virtual void setSilent(bool silent) = 0;
    virtual void setResizable(bool resizable) = 0;
    virtual QString LocationURL() const = 0;

    /// `scrollHeight` of the `body` of the top document (empty path) or of the document of a
    /// frame reached by looking up each name of the path in turn, from the top document down.
    virtual std::optional<int> bodyScrollHeight(const QStringList &framePath = {}) = 0;

    /// Waits, bounded, for content that showing the page reveals (lazy images, web fonts)
    /// before a capture starts.
    virtual void prepareForCapture() = 0;
    /// Puts back what prepareForCapture changed in the page once the capture has ended,
    /// however it ended.
    virtual void finishCapture() {}
    /// Whether a renderer draws the page; false from a renderer's end until the next load.
    virtual bool hasRenderer() const { return true; }
    /// Waits, bounded, until the view really shows its current geometry; false when the page
    /// gave no sign within the bound that it drew it (what it shows may be stale).
    virtual bool waitUntilShown() = 0;
    /// What the view shows in `area` (widget coordinates), rendered by the view itself rather
    /// than read from the screen.
    virtual QImage renderArea(const QRect &area) = 0;
    /// While a capture runs, how far the page's content reaches in pixels, as it stood when
    /// the view last showed a part of it; nothing when the view cannot tell.
    virtual std::optional<int> contentHeight() { return std::nullopt; }
    /// Ends the waits of the view at once (a capture that is being cancelled).
    virtual void interruptWaits() {}

signals:
    void StatusTextChange(const QString &text);
    void ProgressChange(int progress, int progressMax);
    void CommandStateChange(int command, bool enable);
    void TitleChange(const QString &text);
    /// A navigation starts; an empty frame name means the top document.
    void BeforeNavigate2(const QString &address, const QString &targetFrameName);
    /// The page asks for a new window: a receiver puts the view it opens in into `*ppDisp`;
    /// left null, no window opens.
    void NewWindow2(tessaly::BrowserView **ppDisp);
    /// A document, top-level or frame, has finished loading; `height` is its body's
    /// scrollHeight in pixels, or -1 when it could not be read.
    void DocumentComplete(const QString &address, int height);
    void WindowClosing(bool isChildWindow);
    void NavigateError(const QString &address, const QString &frame, int statusCode);
    /// The page's renderer ended (crashed or was killed); the view can load again.
    void RendererGone();
    /// A script the program ran got no answer in time: the page is busy, maybe for ever.
    void PageNotAnswering();
};

} // namespace tessaly
