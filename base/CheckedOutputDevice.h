#pragma once

#include <QFileDevice>
#include <QIODevice>
#include <QString>

namespace tessaly {

/// Passes an encoder's output straight through to a file and remembers the first write the
/// file did not take whole, with the system's reason ("No space left on device").
///
/// Some image writers ignore the result of their own writes, so a full disk would go
/// unnoticed and a cut-off image be kept; the owner asks failed() instead. The file must
/// be open for writing and unbuffered, so that each refusal shows at the write that caused
/// it. Seeking is passed on, for the writers that go back to fill in their headers.
class CheckedOutputDevice : public QIODevice
{
    Q_OBJECT
public:
    explicit CheckedOutputDevice(QFileDevice &file, QObject *parent = nullptr);

    /// True once a write, seek or flush was refused.
    bool failed() const { return !m_failure.isEmpty(); }
    /// Why the first refused operation failed; empty while none has.
    const QString &failure() const { return m_failure; }

    bool isSequential() const override { return false; }
    qint64 size() const override;
    bool seek(qint64 pos) override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    void record(const QString &fallback);

    QFileDevice &m_file;
    QString m_failure;
};

} // namespace tessaly
