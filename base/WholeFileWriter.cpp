#include "base/WholeFileWriter.h"

#include "base/CheckedOutputDevice.h"

#include <QSaveFile>

namespace tessaly {

Result<void> WholeFileWriter::replace(const QString &path, const NextChunk &next)
{
    QSaveFile file(path);
    // Unbuffered and checked: buffered, a short write on a full disk shows nowhere, and
    // commit() renames the cut-off file over the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    CheckedOutputDevice output(file);
    for (;;) {
        Result<QByteArray> chunk = next();
        if (!chunk) {
            file.cancelWriting();
            return fail(chunk.error());
        }
        if (chunk->isEmpty())
            break;
        if (output.write(*chunk) != chunk->size()) {
            file.cancelWriting();
            return fail(output.failure());
        }
    }
    if (!file.commit())
        return fail(file.errorString());
    return {};
}

Result<void> WholeFileWriter::replace(const QString &path, const QByteArray &bytes)
{
    bool handedOut = false;
    return replace(path, [&]() -> Result<QByteArray> {
        if (handedOut)
            return QByteArray();
        handedOut = true;
        return bytes;
    });
}

} // namespace tessaly
