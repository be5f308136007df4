#pragma once

#include "base/CheckedOutputDevice.h"
#include "base/Result.h"
#include "imagefile/ImageEncoder.h"

#include <QSaveFile>

#include <memory>
#include <optional>

namespace tessaly {

/// An image file being written row block by row block. It goes to a temporary file beside
/// the target, renamed over it only by a successful commit(); one dropped uncommitted
/// leaves neither a partial image nor a damaged earlier file.
class ImageFileStream
{
public:
    /// Opens fileName for a picture of this width in the encoder's format.
    static Result<std::unique_ptr<ImageFileStream>>
    open(const QString &fileName, std::shared_ptr<const ImageEncoder> encoder, int width,
         int quality);

    ImageFileStream(const ImageFileStream &) = delete;
    ImageFileStream &operator=(const ImageFileStream &) = delete;

    /// Appends rows of the picture's width. Fails when the format holds no more rows or the
    /// writing failed; after a failure every later call fails the same way.
    Result<void> addRows(const QImage &rows);
    /// Ends the picture and puts the file in place.
    Result<void> commit();

    int width() const { return m_width; }
    int rows() const { return m_rows; }

private:
    ImageFileStream(const QString &fileName, std::shared_ptr<const ImageEncoder> encoder,
                    int width);
    /// Ends the file for good: nothing more is written, and nothing is put in place.
    Result<void> giveUp(Result<void> failure);
    Result<void> failed(const QString &reason);
    Result<void> checked(const Result<void> &step);

    QString m_shownName;
    std::shared_ptr<const ImageEncoder> m_encoder;
    int m_width;
    int m_rows = 0;
    QSaveFile m_file;
    std::optional<CheckedOutputDevice> m_output;
    std::unique_ptr<RowStream> m_stream;
    std::optional<Result<void>> m_failure;
};

} // namespace tessaly
