#include "browser/BrowserPage.h"

#include "browser/FrameWatcher.h"
#include "browser/LoginDialog.h"
#include "browser/ScriptDialog.h"

#include <QAuthenticator>
#include <QWebEngineView>

namespace tessaly {

BrowserPage::BrowserPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent), m_frames(new FrameWatcher(this))
{
    // A page that was stopped from showing boxes may show them again after it navigates.
    connect(this, &QWebEnginePage::loadStarted, this, [this] { m_dialogsPrevented = false; });
    connect(this, &QWebEnginePage::authenticationRequired, this,
            [this](const QUrl &url, QAuthenticator *authenticator) {
                askLogin(url.host(), authenticator->realm(), authenticator);
            });
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
            [this](const QUrl &, QAuthenticator *authenticator, const QString &proxyHost) {
                askLogin(proxyHost, authenticator->realm(), authenticator);
            });
}

QWebEnginePage *BrowserPage::createWindow(WebWindowType)
{
    if (m_silent || !m_windowFactory)
        return nullptr;
    return m_windowFactory();
}

QWidget *BrowserPage::dialogParent() const
{
    return QWebEngineView::forPage(this);
}

int BrowserPage::runScriptDialog(int kind, const QUrl &origin, const QString &message,
                                 const QString &defaultValue, QString *result)
{
    if (m_silent || m_dialogsPrevented)
        return QDialog::Rejected;
    // The page may go (its view closed) while the box is open.
    const QPointer<BrowserPage> alive(this);
    ScriptDialog dialog(ScriptDialog::Kind(kind), origin.toString(), message, defaultValue,
                        dialogParent());
    const int answer = dialog.exec();
    if (!alive)
        return QDialog::Rejected;
    m_dialogsPrevented = dialog.preventMore();
    if (result)
        *result = dialog.value();
    return answer;
}

void BrowserPage::javaScriptAlert(const QUrl &securityOrigin, const QString &msg)
{
    runScriptDialog(int(ScriptDialog::Kind::Alert), securityOrigin, msg, {}, nullptr);
}

bool BrowserPage::javaScriptConfirm(const QUrl &securityOrigin, const QString &msg)
{
    return runScriptDialog(int(ScriptDialog::Kind::Confirm), securityOrigin, msg, {}, nullptr) ==
           QDialog::Accepted;
}

bool BrowserPage::javaScriptPrompt(const QUrl &securityOrigin, const QString &msg,
                                   const QString &defaultValue, QString *result)
{
    return runScriptDialog(int(ScriptDialog::Kind::Prompt), securityOrigin, msg, defaultValue,
                           result) == QDialog::Accepted;
}

void BrowserPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                           const QString &message, int lineNumber,
                                           const QString &sourceID)
{
    if (m_frames->take(message) || m_silent)
        return;
    QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
}

void BrowserPage::askLogin(const QString &site, const QString &realm, QAuthenticator *authenticator)
{
    if (!m_silent) {
        const QPointer<BrowserPage> alive(this);
        LoginDialog dialog(site, realm, dialogParent());
        if (dialog.exec() == QDialog::Accepted && alive) {
            authenticator->setUser(dialog.user());
            authenticator->setPassword(dialog.password());
            return;
        }
        if (!alive)
            return;
    }
    // A null authenticator turns the request down.
    *authenticator = QAuthenticator();
}

} // namespace tessaly
