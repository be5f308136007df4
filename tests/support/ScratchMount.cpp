#include "ScratchMount.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/statvfs.h>

ScratchMount::ScratchMount(qint64 bytes)
{
    const QByteArray where = QFile::encodeName(m_dir.path());
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0777";
    if (::mount("tessaly-scratch", where.constData(), "tmpfs", 0, options.constData()) != 0) {
        m_skipReason = QStringLiteral("a scratch disk cannot be mounted here (%1); run the test "
                                      "as the superuser to meet a full disk")
                           .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
}

ScratchMount::~ScratchMount()
{
    // Detached, so that a file a failed test left open does not keep the disk mounted.
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

QString ScratchMount::file(const QString &name) const
{
    return QDir(m_dir.path()).filePath(name);
}

qint64 ScratchMount::freeBytes() const
{
    struct statvfs info
    {
    };
    if (::statvfs(QFile::encodeName(m_dir.path()).constData(), &info) != 0)
        return -1;
    return qint64(info.f_bavail) * qint64(info.f_frsize);
}

bool ScratchMount::fill(qint64 leftBytes)
{
    QFile filler(file(QStringLiteral(".filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, '\x5a');
    while (freeBytes() > leftBytes) {
        const qint64 room = freeBytes() - leftBytes;
        const QByteArray piece = room >= block.size() ? block : block.left(room);
        if (filler.write(piece) <= 0)
            break;
    }
    return freeBytes() <= leftBytes;
}
