#include "platform/WebEngineEnvironment.h"

#include "platform/OpenGlProbeCache.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <unistd.h>

namespace tessaly {

namespace {

// Whether one of the user's engine switches is about the GPU (--disable-gpu,
// --ignore-gpu-blocklist, --use-gl=...): then the user has chosen, and the program adds none.
bool namesGpuSwitch(const QByteArray &flags)
{
    for (const QByteArray &word : flags.split(' ')) {
        if (!word.startsWith("--"))
            continue;
        const QByteArray name = word.split('=').constFirst().toLower();
        if (name.contains("gpu") || name == "--use-gl" || name == "--use-angle")
            return true;
    }
    return false;
}

} // namespace

std::optional<GpuUse> gpuUseFromText(const QByteArray &text)
{
    const QByteArray word = text.trimmed().toLower();
    if (word.isEmpty() || word == "auto")
        return GpuUse::Auto;
    if (word == "on")
        return GpuUse::On;
    if (word == "off")
        return GpuUse::Off;
    return std::nullopt;
}

bool isSoftwareRenderer(const QByteArray &renderer)
{
    const QByteArray name = renderer.toLower();
    for (const char *software : {"llvmpipe", "softpipe", "swrast", "software", "swiftshader"}) {
        if (name.contains(software))
            return true;
    }
    return false;
}

QByteArray withGpuChoice(const QByteArray &flags, GpuUse use,
                         const std::function<OpenGlFinding()> &probe)
{
    if (use == GpuUse::On || namesGpuSwitch(flags))
        return flags;
    if (use == GpuUse::Auto) {
        const OpenGlFinding found = probe();
        if (!found.looked || (!found.renderer.isEmpty() && !isSoftwareRenderer(found.renderer)))
            return flags;
    }
    return flags.isEmpty() ? QByteArray("--disable-gpu") : flags + " --disable-gpu";
}

bool wantsSoftwareSceneGraph(const QByteArray &flags)
{
    const bool userChose = qEnvironmentVariableIsSet("QT_QUICK_BACKEND") ||
                           qEnvironmentVariableIsSet("QSG_RHI_BACKEND");
    return !userChose && flags.split(' ').contains("--disable-gpu");
}

QStringList prepareWebEngineEnvironment()
{
    QStringList notes;
    // The browser's compositor shares its GL contexts with the widgets it is shown in.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The engine prints its whole start-up configuration as information; users see only
    // warnings (QT_LOGGING_RULES still turns it back on).
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));

    const QByteArray useText = qgetenv("TESSALY_GPU");
    std::optional<GpuUse> use = gpuUseFromText(useText);
    if (!use) {
        notes.append(QStringLiteral("TESSALY_GPU=%1 is none of auto, on and off: taken as auto.")
                         .arg(QString::fromLocal8Bit(useText)));
        use = GpuUse::Auto;
    }
    // Without a GPU the browser's GPU process runs on a software OpenGL stack and often fails
    // to create its command buffers: pages then do not draw for seconds and captures time
    // out. Software compositing draws the same pixels without that stack.
    QByteArray flags = withGpuChoice(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), *use, [] {
        return cachedOpenGlFinding(openGlCacheFile(), displayIdentity(), probeDisplayOpenGl);
    });
    // With the GPU switched off the engine composites its frames in software; showing them
    // through an OpenGL scene graph then only adds a software GL stack, which costs some
    // 60 MB and a third of the capture time of a long page, for the same pixels. The toolkit
    // settles the scene graph while the application object is made, hence all this before.
    if (wantsSoftwareSceneGraph(flags))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    if (geteuid() == 0) {
        if (!flags.contains("--no-sandbox"))
            flags = flags.isEmpty() ? QByteArray("--no-sandbox") : flags + " --no-sandbox";
        notes.append(QStringLiteral("Running as root: the browser's sandbox is switched off. "
                                    "Run Tessaly as a normal user to keep web pages sandboxed."));
    }
    if (flags != qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    return notes;
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
