#include "browser/JavaScriptRunner.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <memory>

namespace tessaly {

JavaScriptRunner::JavaScriptRunner(QWebEnginePage *page, int timeoutMs, World world)
    : m_page(page), m_timeoutMs(timeoutMs), m_world(world)
{
}

std::optional<QVariant> JavaScriptRunner::run(const QString &script) const
{
    bool answered = true;
    return runOnce(script, &answered);
}

std::optional<QVariant> JavaScriptRunner::runOnce(const QString &script, bool *answered) const
{
    if (!m_page)
        return std::nullopt;
    // The callback may arrive after we gave up waiting: it must not touch this frame.
    struct State
    {
        bool done = false;
        QVariant result;
        QPointer<QEventLoop> loop;
    };
    auto state = std::make_shared<State>();
    QEventLoop loop;
    state->loop = &loop;
    const quint32 world = m_world == World::Page ? quint32(QWebEngineScript::MainWorld)
                                                 : quint32(QWebEngineScript::ApplicationWorld);
    m_page->runJavaScript(script, world, [state](const QVariant &result) {
        state->done = true;
        state->result = result;
        if (state->loop)
            state->loop->quit();
    });
    if (!state->done) {
        QTimer timeout;
        timeout.setSingleShot(true);
        bool rendererGone = false;
        QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(m_page, &QWebEnginePage::renderProcessTerminated, &loop, [&] {
            rendererGone = true;
            loop.quit();
        });
        timeout.start(m_timeoutMs);
        loop.exec();
        if (!state->done && !rendererGone) {
            *answered = false;
            if (m_noAnswer)
                m_noAnswer();
        }
    }
    state->loop = nullptr;
    if (!state->done || !state->result.isValid() || state->result.isNull())
        return std::nullopt;
    return state->result;
}

bool JavaScriptRunner::waitFor(const QString &expression, int timeoutMs, int intervalMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        bool answered = true;
        const auto value =
            runOnce(QStringLiteral("!!(") + expression + QStringLiteral(")"), &answered);
        if (value && value->toBool())
            return true;
        if (!answered || (!value && !m_page))
            return false;
        if (deadline.hasExpired())
            return false;
        QEventLoop pause;
        QTimer::singleShot(intervalMs, &pause, &QEventLoop::quit);
        pause.exec();
    }
}

QString JavaScriptRunner::jsonLiteral(const QString &text)
{
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    // Strip the array brackets: what is left is one JSON string.
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

QString JavaScriptRunner::jsonLiteral(const QStringList &texts)
{
    return QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(texts)).toJson(QJsonDocument::Compact));
}

} // namespace tessaly
