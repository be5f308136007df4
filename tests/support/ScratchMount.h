#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

/// A small tmpfs mounted on a fresh temporary folder for one test, to meet a full disk for
/// real. Mounting needs the superuser; where it is refused the mount is not usable and
/// skipReason() says why, for GTEST_SKIP. Unmounted and removed with the object.
class ScratchMount
{
public:
    explicit ScratchMount(qint64 bytes = 1024 * 1024);
    ~ScratchMount();
    ScratchMount(const ScratchMount &) = delete;
    ScratchMount &operator=(const ScratchMount &) = delete;

    bool usable() const { return m_skipReason.isEmpty(); }
    /// Why the mount could not be made; empty when usable.
    const QString &skipReason() const { return m_skipReason; }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return QDir(path()).filePath(name); }

    /// Fills the disk with a filler file until at most `leftBytes` are free; true when the
    /// disk then holds no more than that.
    bool fill(qint64 leftBytes = 0);

private:
    qint64 freeBytes() const;

    QTemporaryDir m_dir;
    QString m_skipReason;
};
