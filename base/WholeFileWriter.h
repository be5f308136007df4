#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace tessaly {

/// Replaces a file with new contents, checked at every write: the old file stays whole
/// until the new one is complete, and a disk that takes only part of the data fails the
/// replacement with the system's reason instead of leaving a cut-off file behind.
class WholeFileWriter
{
public:
    /// Hands out the next chunk of the new contents; an empty chunk ends them. Fails, with
    /// the reason, when the chunk could not be had.
    using NextChunk = std::function<Result<QByteArray>()>;

    /// Writes the chunks `next` gives as the whole of `path`. Fails, with the reason, when
    /// the file was left as it was.
    static Result<void> replace(const QString &path, const NextChunk &next);
    /// The same for contents held whole.
    static Result<void> replace(const QString &path, const QByteArray &bytes);
};

} // namespace tessaly
