#pragma once

#include "imagefile/RowStream.h"

#include <QIODevice>

#include <cstdint>
#include <functional>
#include <vector>

namespace tessaly {

/// A row stream for formats that take one packed 8-bit row at a time. The first failure is
/// kept: after it every call gives it back, and nothing more goes to the file.
class PackedRowStream : public RowStream
{
public:
    enum class Order
    {
        Rgb,
        Bgr
    };

    Result<void> addRows(const QImage &rows) final;
    Result<void> finish() final;

protected:
    /// Rows of `width` pixels are packed at byte `lead` of a row buffer `rowBytes` long,
    /// whose other bytes stay zero (a filter byte, padding).
    PackedRowStream(int width, Order order, std::size_t lead, std::size_t rowBytes);

    /// Writes the packed row below the rows() written so far. Not const: the C libraries'
    /// row interfaces are older than const, though they only read it.
    virtual Result<void> writeRow(std::uint8_t *row) = 0;
    /// Ends the file after at least one row.
    virtual Result<void> finishRows() = 0;

    /// Seeks back to `at`, lets `write` rewrite what is there (a header with the height
    /// now known) and returns to where the device was.
    static Result<void> rewriteAt(QIODevice &device, qint64 at,
                                  const std::function<Result<void>()> &write);

    /// The start's outcome, for the constructor to give: a failure ends the stream before
    /// its first row.
    void startWith(Result<void> outcome) { m_status = std::move(outcome); }
    int width() const { return m_width; }
    /// The packed row's length, filter byte and padding included.
    std::size_t rowBytes() const { return m_row.size(); }
    qint64 rows() const { return m_rows; }
    /// The last row given, packed.
    std::uint8_t *lastRow() { return m_row.data(); }

private:
    const int m_width;
    const Order m_order;
    const std::size_t m_lead;
    qint64 m_rows = 0;
    std::vector<std::uint8_t> m_row;
    Result<void> m_status;
};

} // namespace tessaly
