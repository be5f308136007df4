#include "platform/MemoryInfo.h"

#include <QFile>

namespace tessaly {

std::optional<std::int64_t> availableMemoryBytes()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return std::nullopt;
    // "MemAvailable:   12345678 kB"
    while (!meminfo.atEnd()) {
        const QByteArray line = meminfo.readLine();
        if (!line.startsWith("MemAvailable:"))
            continue;
        const QList<QByteArray> parts = line.simplified().split(' ');
        bool ok = false;
        const std::int64_t kilobytes = parts.size() >= 2 ? parts.at(1).toLongLong(&ok) : 0;
        if (ok)
            return kilobytes * 1024;
    }
    return std::nullopt;
}

} // namespace tessaly
