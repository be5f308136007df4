#include "imagefile/PackedRowStream.h"

#include "imagefile/PackedRows.h"

using namespace Qt::StringLiterals;

namespace tessaly {

PackedRowStream::PackedRowStream(int width, Order order, std::size_t lead, std::size_t rowBytes)
    : m_width(width), m_order(order), m_lead(lead), m_row(rowBytes)
{
}

Result<void> PackedRowStream::addRows(const QImage &rows)
{
    if (!m_status)
        return m_status;
    for (int y = 0; y < rows.height(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(rows.constScanLine(y));
        if (m_order == Order::Rgb)
            PackedRows::toRgb(pixels, m_width, m_row.data() + m_lead);
        else
            PackedRows::toBgr(pixels, m_width, m_row.data() + m_lead);
        if (m_status = writeRow(m_row.data()); !m_status)
            return m_status;
        ++m_rows;
    }
    return {};
}

Result<void> PackedRowStream::finish()
{
    if (!m_status)
        return m_status;
    // No format here has a picture without rows that readers take.
    if (m_rows == 0)
        return m_status = fail(u"there are no rows to write"_s);
    return m_status = finishRows();
}

Result<void> PackedRowStream::rewriteAt(QIODevice &device, qint64 at,
                                        const std::function<Result<void>()> &write)
{
    const qint64 end = device.pos();
    if (!device.seek(at))
        return fail(u"the device cannot go back to the header"_s);
    if (Result<void> written = write(); !written)
        return written;
    if (!device.seek(end))
        return fail(u"the device cannot go back to the end"_s);
    return {};
}

} // namespace tessaly
