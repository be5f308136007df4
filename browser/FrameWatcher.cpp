#include "browser/FrameWatcher.h"

#include "browser/JavaScriptRunner.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace tessaly {

namespace {

QString frameScriptSource()
{
    QFile file(QStringLiteral(":/browser/frames.js"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

FrameWatcher::FrameWatcher(QWebEnginePage *page) : QObject(page)
{
    QRandomGenerator *random = QRandomGenerator::system();
    m_token = QStringLiteral("tessaly-frame-%1%2:")
                  .arg(random->generate64(), 16, 16, QLatin1Char('0'))
                  .arg(random->generate64(), 16, 16, QLatin1Char('0'));
    QWebEngineScript script;
    script.setName(QStringLiteral("tessaly-frames"));
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(true);
    QString source = frameScriptSource();
    source.replace(QStringLiteral("TOKEN"), JavaScriptRunner::jsonLiteral(m_token));
    script.setSourceCode(source);
    page->scripts().insert(script);
}

bool FrameWatcher::take(const QString &message)
{
    if (!message.startsWith(m_token))
        return false;
    const QJsonObject report =
        QJsonDocument::fromJson(message.mid(m_token.size()).toUtf8()).object();
    const QString kind = report.value(QStringLiteral("kind")).toString();
    const QString address = report.value(QStringLiteral("address")).toString();
    if (kind == QStringLiteral("navigate")) {
        emit frameNavigating(address, report.value(QStringLiteral("name")).toString());
    } else if (kind == QStringLiteral("complete")) {
        const double height = report.value(QStringLiteral("height")).toDouble(-1);
        emit frameCompleted(address, height >= 0 ? int(height) : -1);
    } else if (kind == QStringLiteral("settled")) {
        emit captureSettled(report.value(QStringLiteral("serial")).toInt(-1));
    }
    return true;
}

} // namespace tessaly
