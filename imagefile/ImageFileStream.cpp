#include "imagefile/ImageFileStream.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace tessaly {

ImageFileStream::ImageFileStream(const QString &fileName,
                                 std::shared_ptr<const ImageEncoder> encoder, int width)
    : m_shownName(QDir::toNativeSeparators(fileName)), m_encoder(std::move(encoder)),
      m_width(width), m_file(fileName)
{
}

Result<std::unique_ptr<ImageFileStream>>
ImageFileStream::open(const QString &fileName, std::shared_ptr<const ImageEncoder> encoder,
                      int width, int quality)
{
    std::unique_ptr<ImageFileStream> stream(
        new ImageFileStream(fileName, std::move(encoder), width));
    if (Result<void> fits = stream->m_encoder->checkSize(QSize(width, 1)); !fits)
        return fail(fits.error());
    // Unbuffered, so that the disk's refusal reaches the checked device at the write that
    // caused it.
    if (!stream->m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(
            u"Cannot write %1: %2"_s.arg(stream->m_shownName, stream->m_file.errorString()));
    stream->m_output.emplace(stream->m_file);
    stream->m_stream = stream->m_encoder->startStream(*stream->m_output, width, quality);
    return stream;
}

Result<void> ImageFileStream::giveUp(Result<void> failure)
{
    m_failure = std::move(failure);
    m_stream.reset();
    m_file.cancelWriting();
    return *m_failure;
}

Result<void> ImageFileStream::failed(const QString &reason)
{
    return giveUp(fail(u"Cannot write %1: %2"_s.arg(m_shownName, reason)));
}

Result<void> ImageFileStream::checked(const Result<void> &step)
{
    // A writer may go on happily although the disk refused part of its output: the
    // device's record decides, and says more than the encoder's summary.
    if (m_output->failed())
        return failed(m_output->failure());
    if (!step)
        return failed(step.error());
    return {};
}

Result<void> ImageFileStream::addRows(const QImage &rows)
{
    if (m_failure)
        return *m_failure;
    if (rows.isNull() || rows.height() == 0)
        return {};
    if (rows.width() != m_width)
        return failed(
            u"a block of rows is %1 pixels wide, not %2"_s.arg(rows.width()).arg(m_width));
    if (Result<void> fits = m_encoder->checkSize(QSize(m_width, m_rows + rows.height())); !fits)
        return giveUp(std::move(fits));
    m_rows += rows.height();
    return checked(m_stream->addRows(
        rows.format() == QImage::Format_RGB32 ? rows : rows.convertToFormat(QImage::Format_RGB32)));
}

Result<void> ImageFileStream::commit()
{
    if (m_failure)
        return *m_failure;
    if (m_rows == 0)
        return failed(u"there is no picture to save"_s);
    if (Result<void> finished = checked(m_stream->finish()); !finished)
        return finished;
    m_stream.reset();
    if (!m_file.commit())
        return failed(m_file.errorString());
    m_failure = fail(u"Cannot write %1: it is already written"_s.arg(m_shownName));
    return {};
}

} // namespace tessaly
