#include "ScratchMount.h"

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
    }
}

ScratchMount::~ScratchMount()
{
    // Detached, so that a file a failed test left open does not keep the disk mounted.
    if (usable())
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

qint64 ScratchMount::freeBytes() const
{
    struct statvfs info;
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
        if (filler.write(block.left(freeBytes() - leftBytes)) <= 0)
            break;
    }
    return freeBytes() <= leftBytes;
}
