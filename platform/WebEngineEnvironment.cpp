#include "platform/WebEngineEnvironment.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <unistd.h>

namespace tessaly {

bool wantsSoftwareSceneGraph(const QByteArray &flags)
{
    const bool userChose =
        qEnvironmentVariableIsSet("QT_QUICK_BACKEND") || qEnvironmentVariableIsSet("QSG_RHI_BACKEND");
    return !userChose && flags.split(' ').contains("--disable-gpu");
}

QString prepareWebEngineEnvironment()
{
    // The browser's compositor shares its GL contexts with the widgets it is shown in.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The engine prints its whole start-up configuration as information; users see only
    // warnings (QT_LOGGING_RULES still turns it back on).
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    // With the GPU switched off the engine composites its frames in software; showing them
    // through an OpenGL scene graph then only adds a software GL stack, which costs some
    // 60 MB and a third of the capture time of a long page, for the same pixels.
    if (wantsSoftwareSceneGraph(flags))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    if (geteuid() != 0)
        return {};
    if (!flags.contains("--no-sandbox")) {
        flags = flags.isEmpty() ? QByteArray("--no-sandbox") : flags + " --no-sandbox";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    }
    return QStringLiteral("Running as root: the browser's sandbox is switched off. "
                          "Run Tessaly as a normal user to keep web pages sandboxed.");
}

QByteArray withFeatureDisabled(const QByteArray &flags, const QByteArray &feature)
{
    // The engine honours only the last --disable-features: add to the one there is.
    static const QByteArray Switch("--disable-features=");
    QList<QByteArray> words = flags.split(' ');
    words.removeAll(QByteArray());
    for (auto it = words.rbegin(); it != words.rend(); ++it) {
        if (!it->startsWith(Switch))
            continue;
        if (!it->mid(Switch.size()).split(',').contains(feature))
            *it += (it->size() > Switch.size() ? "," : "") + feature;
        return words.join(' ');
    }
    words.append(Switch + feature);
    return words.join(' ');
}

void disableWebEngineFeature(const QByteArray &feature)
{
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            withFeatureDisabled(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), feature));
}

} // namespace tessaly
