#include "imagefile/WholePictureStream.h"

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace tessaly {

Result<void> WholePictureStream::addRows(const QImage &rows)
{
    const int needed = m_rows + rows.height();
    if (needed > m_picture.height()) {
        // Grows by half again, so that many small blocks cost few copies.
        const int capacity = std::max(needed, m_picture.height() + m_picture.height() / 2);
        QImage grown(m_width, capacity, QImage::Format_RGB32);
        if (grown.isNull())
            return fail(
                u"There is not enough memory for a picture of %1 x %2 pixels"_s.arg(m_width).arg(
                    capacity));
        for (int y = 0; y < m_rows; ++y)
            std::memcpy(grown.scanLine(y), m_picture.constScanLine(y), size_t(m_width) * 4);
        m_picture = std::move(grown);
    }
    const size_t bytes = size_t(m_width) * 4; // RGB32 rows of the stream's width
    for (int y = 0; y < rows.height(); ++y)
        std::memcpy(m_picture.scanLine(m_rows + y), rows.constScanLine(y), bytes);
    m_rows = needed;
    return {};
}

Result<void> WholePictureStream::finish()
{
    // The rows given, without the spare capacity, and without copying them.
    const QImage picture(m_picture.constBits(), m_width, m_rows, m_picture.bytesPerLine(),
                         QImage::Format_RGB32);
    const Result<void> written = m_writer(picture);
    m_picture = QImage();
    return written;
}

} // namespace tessaly
