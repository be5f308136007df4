#include "base/WholeFileWriter.h"

#include "base/CheckedOutputDevice.h"

#include <QSaveFile>

namespace tessaly {

namespace {

bool failWith(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

bool WholeFileWriter::replace(const QString &path, const NextChunk &next, QString *error)
{
    QSaveFile file(path);
    // Unbuffered and checked: buffered, a short write on a full disk shows nowhere, and
    // commit() renames the cut-off file over the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failWith(error, file.errorString());
    CheckedOutputDevice output(file);
    for (;;) {
        QByteArray chunk;
        if (!next(chunk, error)) {
            file.cancelWriting();
            return false;
        }
        if (chunk.isEmpty())
            break;
        if (output.write(chunk) != chunk.size()) {
            file.cancelWriting();
            return failWith(error, output.failure());
        }
    }
    return file.commit() || failWith(error, file.errorString());
}

bool WholeFileWriter::replace(const QString &path, const QByteArray &bytes, QString *error)
{
    bool handedOut = false;
    return replace(path, [&](QByteArray &chunk, QString *) {
        if (!handedOut)
            chunk = bytes;
        handedOut = true;
        return true;
    }, error);
}

} // namespace tessaly
