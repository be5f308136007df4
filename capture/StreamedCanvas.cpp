#include "capture/StreamedCanvas.h"

#include <algorithm>
#include <cstring>

namespace tessaly {

void StreamedCanvas::begin(int width, int bandColumns, int pageRows, QRgb background, int reserve,
                           Stamp stamp, Sink sink)
{
    m_width = std::max(0, width);
    m_bandColumns = std::clamp(bandColumns, 0, m_width);
    m_pageRows = std::max(0, pageRows);
    m_background = background;
    m_reserve = std::max(0, reserve);
    m_stamp = std::move(stamp);
    m_sink = std::move(sink);
    m_held = QImage();
    m_heldTop = 0;
    m_written = 0;
    m_failure = {};
}

void StreamedCanvas::reset()
{
    m_sink = {};
    m_stamp = {};
    m_held = QImage();
    m_heldTop = 0;
    m_written = 0;
}

void StreamedCanvas::extendTo(int bottom)
{
    const int rows = bottom - m_heldTop;
    if (rows <= m_held.height())
        return;
    QImage grown(m_width, rows, QImage::Format_RGB32);
    grown.fill(m_background);
    for (int y = 0; y < m_held.height(); ++y)
        std::memcpy(grown.scanLine(y), m_held.constScanLine(y), size_t(m_width) * 4);
    m_held = std::move(grown);
}

Result<void> StreamedCanvas::flushAbove(int row, bool stamped)
{
    const int rows = std::min(row, paintedRows()) - m_heldTop;
    if (rows <= 0)
        return {};
    QImage block = m_held.copy(0, 0, m_width, rows);
    m_held = m_held.copy(0, rows, m_width, m_held.height() - rows);
    const int top = m_heldTop;
    m_heldTop += rows;
    if (m_stamp && !stamped)
        m_stamp(block, top);
    if (Result<void> taken = m_sink(block); !taken) {
        m_failure = taken;
        reset();
        return taken;
    }
    m_written += rows;
    return {};
}

Result<void> StreamedCanvas::paintBand(const QImage &band, int y)
{
    if (!m_failure)
        return m_failure;
    if (!started() || m_width == 0 || band.isNull())
        return {};
    // Rows already written cannot be painted again; bands come top to bottom.
    const int top = std::max(y, m_written);
    const int bottom = std::min(y + band.height(), m_pageRows);
    if (bottom > top) {
        extendTo(bottom);
        const QImage source = band.format() == QImage::Format_RGB32
                                  ? band
                                  : band.convertToFormat(QImage::Format_RGB32);
        const size_t bytes = size_t(std::min(m_bandColumns, source.width())) * 4;
        for (int row = top; row < bottom; ++row)
            std::memcpy(m_held.scanLine(row - m_heldTop), source.constScanLine(row - y), bytes);
    }
    // No later band reaches above this one's top.
    return flushAbove(std::min(y, paintedRows() - m_reserve), false);
}

Result<void> StreamedCanvas::finish(int height, const Stamp &bottom)
{
    if (!m_failure)
        return m_failure;
    if (!started())
        return {};
    // A page that got shorter than the rows already written keeps them, and what the
    // bottom stamp needs in hand.
    const int rows = std::max(height, m_written + std::min(m_reserve, m_held.height()));
    extendTo(rows);
    if (m_held.height() > rows - m_heldTop)
        m_held = m_held.copy(0, 0, m_width, rows - m_heldTop);
    // The stamp every block gets goes on first, as it went on the earlier blocks.
    if (m_stamp && !m_held.isNull())
        m_stamp(m_held, m_heldTop);
    if (bottom && !m_held.isNull())
        bottom(m_held, m_heldTop);
    Result<void> flushed = flushAbove(rows, true);
    reset();
    return flushed;
}

} // namespace tessaly
