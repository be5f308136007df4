#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

class QWebEnginePage;

namespace tessaly {

/// Runs a script in a page and waits, bounded, for its result. Values taken from a page
/// must reach a script only as JSON literals (see jsonLiteral).
class JavaScriptRunner
{
public:
    enum class World
    {
        Program, ///< shares the page's document but not its script globals
        Page     ///< the page's own scripts' world, for the user's scripts that call them
    };

    /// Scripts run in the program's own world unless told otherwise, so a page cannot
    /// tamper with them.
    explicit JavaScriptRunner(QWebEnginePage *page, int timeoutMs = 3000,
                              World world = World::Program);

    /// The script's result; nothing when the page did not answer in time, the renderer is
    /// gone, or the script returned undefined/null.
    std::optional<QVariant> run(const QString &script) const;
    /// Polls a boolean expression until it is true or the time is up; a page that lets one
    /// poll go unanswered is not asked again.
    bool waitFor(const QString &expression, int timeoutMs, int intervalMs = 20) const;

    /// A string or string list as a JSON literal, safe to paste into a script.
    static QString jsonLiteral(const QString &text);
    static QString jsonLiteral(const QStringList &texts);

    /// Called when a script got no answer in time although the renderer is still there: its
    /// script is busy and may never come back.
    void setNoAnswerHandler(std::function<void()> handler) { m_noAnswer = std::move(handler); }

private:
    std::optional<QVariant> runOnce(const QString &script, bool *answered) const;

    QWebEnginePage *m_page;
    std::function<void()> m_noAnswer;
    int m_timeoutMs;
    World m_world;
};

} // namespace tessaly
