#pragma once

#include <QPointer>
#include <QWebEnginePage>

#include <functional>

class QAuthenticator;

namespace tessaly {

class FrameWatcher;

/// The page of every browser view: opens requested windows through the owner, shows the
/// page's script boxes and login boxes unless silent, and reports frames (FrameWatcher).
class BrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    BrowserPage(QWebEngineProfile *profile, QObject *parent);

    /// Silent, the page opens no windows and shows no script box, login box or script error.
    void setSilent(bool silent) { m_silent = silent; }
    bool silent() const { return m_silent; }

    /// Gives the page a new window should load in; null refuses the window.
    using WindowFactory = std::function<QWebEnginePage *()>;
    void setWindowFactory(WindowFactory factory) { m_windowFactory = std::move(factory); }

    FrameWatcher *frames() const { return m_frames; }

protected:
    QWebEnginePage *createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg,
                          const QString &defaultValue, QString *result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int lineNumber, const QString &sourceID) override;

private:
    int runScriptDialog(int kind, const QUrl &origin, const QString &message,
                        const QString &defaultValue, QString *result);
    void askLogin(const QString &site, const QString &realm, QAuthenticator *authenticator);
    QWidget *dialogParent() const;

    bool m_silent = false;
    bool m_dialogsPrevented = false; ///< until the next navigation
    WindowFactory m_windowFactory;
    FrameWatcher *m_frames;
};

} // namespace tessaly
