#pragma once

#include <QObject>
#include <QString>

class QWebEnginePage;

namespace tessaly {

/// Tells when a frame of a page starts a document and when that document has loaded: the
/// engine reports only the top document. A script in the program's own world runs in every
/// frame and reports through the console with a token the page never sees, so a page
/// cannot forge the reports; every value in them is parsed as JSON data.
class FrameWatcher : public QObject
{
    Q_OBJECT
public:
    /// Installs the frame script into `page`, which owns the watcher.
    explicit FrameWatcher(QWebEnginePage *page);

    /// True when `message` is a report of the frame script; its signal has then been emitted.
    bool take(const QString &message);
    /// The mark of the reports: other scripts of the program's own world report with it too.
    const QString &token() const { return m_token; }

signals:
    void frameNavigating(const QString &address, const QString &frameName);
    void frameCompleted(const QString &address, int height);
    /// What scrolling a band into view had started has come (the capture's script, `serial`
    /// being the number it gave that band).
    void captureSettled(int serial);

private:
    QString m_token;
};

} // namespace tessaly
