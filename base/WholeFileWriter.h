#pragma once

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
    /// Hands out the next chunk of the new contents; an empty chunk ends them. False when
    /// the chunk could not be had, with the reason in `error`.
    using NextChunk = std::function<bool(QByteArray &chunk, QString *error)>;

    /// Writes the chunks `next` gives as the whole of `path`. False, with the reason in
    /// `error`, when the file was left as it was.
    static bool replace(const QString &path, const NextChunk &next, QString *error = nullptr);
    /// The same for contents held whole.
    static bool replace(const QString &path, const QByteArray &bytes, QString *error = nullptr);
};

} // namespace tessaly
