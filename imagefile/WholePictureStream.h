#pragma once

#include "imagefile/RowStream.h"

#include <QIODevice>

#include <functional>

namespace tessaly {

/// For formats that need the whole picture before they can write a byte (a palette chosen
/// over every pixel): gathers the rows and hands the picture to the writer at the end. Its
/// memory grows with the picture, up to the format's own height limit.
class WholePictureStream : public RowStream
{
public:
    using Writer = std::function<Result<void>(const QImage &picture)>;

    WholePictureStream(int width, Writer writer) : m_width(width), m_writer(std::move(writer)) {}

    Result<void> addRows(const QImage &rows) override;
    Result<void> finish() override;

private:
    int m_width;
    int m_rows = 0;
    Writer m_writer;
    QImage m_picture;
};

} // namespace tessaly
