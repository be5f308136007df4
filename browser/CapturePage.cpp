#include "browser/CapturePage.h"

#include "browser/JavaScriptRunner.h"
#include "browser/PageScripts.h"

#include <QFile>
#include <QVariantList>

namespace tessaly {

namespace {

// The name of the events that tell the capture of the page's requests.
constexpr char RequestEvent[] = "tessaly-request";
// The key of the sheet that hides the walked document's scroll bar.
constexpr char ScrollbarsKey[] = "data-tessaly-scrollbars";

QString resource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Calls the capture's object in the page; null when there is none (another document).
QString call(const QString &member)
{
    return QStringLiteral("window.__tessalyCapture ? window.__tessalyCapture.%1 : null")
        .arg(member);
}

} // namespace

CapturePage::Walk CapturePage::prepare(const JavaScriptRunner &program,
                                       const JavaScriptRunner &page, const QString &token)
{
    const QString event = JavaScriptRunner::jsonLiteral(QString::fromLatin1(RequestEvent));
    page.run(QStringLiteral("(") + resource(QStringLiteral(":/browser/requests.js")) +
             QStringLiteral(")(") + event + QStringLiteral(")"));
    const auto answer = program.run(PageScripts::withSheetFunctions(
        QStringLiteral("(") + resource(QStringLiteral(":/browser/capture.js")) +
        QStringLiteral(")(") + JavaScriptRunner::jsonLiteral(token) + QStringLiteral(", ") + event +
        QStringLiteral(", ") + JavaScriptRunner::jsonLiteral(QString::fromLatin1(ScrollbarsKey)) +
        QStringLiteral(")")));
    const QString kind = answer ? answer->toList().value(0).toString() : QString();
    if (kind == QStringLiteral("document"))
        m_walk = Walk::Document;
    else if (kind == QStringLiteral("expanded"))
        m_walk = Walk::Expanded;
    else if (kind == QStringLiteral("frame"))
        m_walk = Walk::Frame;
    else if (kind == QStringLiteral("none"))
        m_walk = Walk::Unchanged;
    else
        m_walk = Walk::Unprepared;
    return m_walk;
}

void CapturePage::finish(const JavaScriptRunner &program)
{
    if (m_walk != Walk::Unprepared)
        program.run(call(QStringLiteral("finish()")));
    m_walk = Walk::Unprepared;
}

bool CapturePage::scrolls() const
{
    return m_walk == Walk::Document || m_walk == Walk::Expanded || m_walk == Walk::Frame;
}

std::optional<CapturePage::Scrolled> CapturePage::scrollTo(const JavaScriptRunner &program,
                                                           double y) const
{
    if (m_walk == Walk::Unprepared)
        return std::nullopt;
    const auto answer = program.run(call(QStringLiteral("scrollTo(%1)").arg(y, 0, 'g', 17)));
    const QVariantList values = answer ? answer->toList() : QVariantList();
    if (values.size() != 2)
        return std::nullopt;
    return Scrolled{values.at(0).toDouble(), values.at(1).toDouble()};
}

std::optional<double> CapturePage::number(const JavaScriptRunner &program,
                                          const QString &member) const
{
    if (m_walk == Walk::Unprepared)
        return std::nullopt;
    const auto answer = program.run(call(member));
    bool ok = false;
    const double value = answer ? answer->toDouble(&ok) : 0;
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> CapturePage::contentHeight(const JavaScriptRunner &program) const
{
    return number(program, QStringLiteral("contentHeight()"));
}

std::optional<double> CapturePage::bodyHeight(const JavaScriptRunner &program) const
{
    return number(program, QStringLiteral("bodyHeight()"));
}

std::optional<CapturePage::Settling> CapturePage::settle(const JavaScriptRunner &program,
                                                         bool withRequests) const
{
    if (!scrolls())
        return std::nullopt;
    const auto answer = program.run(
        call(QStringLiteral("settle(%1)")
                 .arg(withRequests ? QStringLiteral("true") : QStringLiteral("false"))));
    const QVariantList values = answer ? answer->toList() : QVariantList();
    if (values.size() != 2)
        return std::nullopt;
    return Settling{values.at(0).toString() == QStringLiteral("waiting"), values.at(1).toInt()};
}

} // namespace tessaly
