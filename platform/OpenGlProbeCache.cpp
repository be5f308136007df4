#include "platform/OpenGlProbeCache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#ifdef TESSALY_HAVE_GLX
#include <X11/Xlib.h>
#endif

#include <memory>

namespace tessaly {

OpenGlFinding cachedOpenGlFinding(const QString &file, const QByteArray &key,
                                  const std::function<OpenGlFinding()> &probe)
{
    if (key.isEmpty())
        return probe();
    QFile kept(file);
    if (kept.open(QIODevice::ReadOnly)) {
        // Key, then "L" (looked) or "N", then the renderer; anything else is asked anew.
        const QList<QByteArray> lines = kept.read(4096).split('\n');
        if (lines.size() >= 3 && lines[0] == key && (lines[1] == "L" || lines[1] == "N"))
            return {lines[1] == "L", lines[2]};
    }
    const OpenGlFinding found = probe();
    // Keeping it is a saving only: a folder that cannot be written costs the next start the
    // same question again, nothing more.
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(key + '\n' + (found.looked ? "L" : "N") + '\n' + found.renderer + '\n');
        if (!out.commit())
            out.cancelWriting();
    }
    return found;
}

QByteArray displayIdentity()
{
#ifdef TESSALY_HAVE_GLX
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return {};
    const std::unique_ptr<Display, decltype(&XCloseDisplay)> server(XOpenDisplay(nullptr),
                                                                    &XCloseDisplay);
    if (!server)
        return {};
    QFile boot(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    const QByteArray bootId = boot.open(QIODevice::ReadOnly) ? boot.readAll().trimmed() : "";
    return bootId + ' ' + display + ' ' + ServerVendor(server.get()) + ' ' +
           QByteArray::number(VendorRelease(server.get()));
#else
    return {};
#endif
}

QString openGlCacheFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/tessaly/display-opengl");
}

} // namespace tessaly
