#include "base/CheckedOutputDevice.h"

using namespace Qt::StringLiterals;

namespace tessaly {

CheckedOutputDevice::CheckedOutputDevice(QFileDevice &file, QObject *parent)
    : QIODevice(parent), m_file(file)
{
    // Read access only so that writers which read back their own header may; the file
    // decides whether that works.
    QIODevice::open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

qint64 CheckedOutputDevice::size() const
{
    return m_file.size();
}

bool CheckedOutputDevice::seek(qint64 pos)
{
    if (!m_file.seek(pos)) {
        record(u"the file cannot be positioned"_s);
        return false;
    }
    return QIODevice::seek(pos);
}

qint64 CheckedOutputDevice::readData(char *data, qint64 maxSize)
{
    if (!m_file.isReadable())
        return -1; // nothing to read back from a file opened for writing only
    return m_file.read(data, maxSize);
}

qint64 CheckedOutputDevice::writeData(const char *data, qint64 maxSize)
{
    // A disk that fills up takes part of a write without complaint; only the next write
    // of the rest brings the system's reason.
    qint64 done = 0;
    while (done < maxSize) {
        const qint64 written = m_file.write(data + done, maxSize - done);
        if (written <= 0) {
            record(u"the disk took only part of it"_s);
            // Writers that do look at the count stop here instead of writing on.
            return -1;
        }
        done += written;
    }
    return done;
}

void CheckedOutputDevice::record(const QString &fallback)
{
    if (!m_failure.isEmpty())
        return;
    m_failure = m_file.error() != QFileDevice::NoError ? m_file.errorString() : fallback;
    if (m_failure.isEmpty())
        m_failure = fallback;
}

} // namespace tessaly
