#pragma once

#include "base/Result.h"

#include <QImage>
#include <QRgb>

#include <functional>

namespace tessaly {

/// The page-high canvas without the page-high raster: bands are painted into it top to
/// bottom, later ones over earlier ones, and every row no later band can reach any more
/// goes to the sink at once. Only the rows of the latest band stay in hand.
class StreamedCanvas
{
public:
    /// Takes the next finished rows, top to bottom; fails when they cannot be written.
    using Sink = std::function<Result<void>(const QImage &rows)>;
    /// Draws on a block of finished rows whose first row is row `top` of the picture.
    using Stamp = std::function<void(QImage &rows, int top)>;

    /// Starts a picture `width` pixels wide. Bands are cut at `bandColumns` columns and at
    /// row `pageRows`; what no band covers is `background`. The last `reserve` rows of the
    /// latest band are kept in hand too, so that something can still be drawn at the very
    /// bottom once the picture's height is known.
    void begin(int width, int bandColumns, int pageRows, QRgb background, int reserve, Stamp stamp,
               Sink sink);
    bool started() const { return bool(m_sink); }
    /// True once the sink refused rows.
    bool failed() const { return !m_failure; }

    /// Paints a band with its top at row y (y never above the previous band's top). Fails
    /// when the sink refused rows; nothing more is written after that.
    Result<void> paintBand(const QImage &band, int y);
    /// Ends the picture at `height` rows, or lower where rows already went to the sink,
    /// applies `bottom` to the rows still in hand, and hands them over.
    Result<void> finish(int height, const Stamp &bottom);
    /// Drops the picture without writing more.
    void reset();

    /// The rows the sink has been given.
    int writtenRows() const { return m_written; }
    /// The row below the lowest band painted so far.
    int paintedRows() const { return m_heldTop + m_held.height(); }

private:
    void extendTo(int bottom);
    /// Writes the rows above `row`; `stamped` when the stamp is on them already.
    Result<void> flushAbove(int row, bool stamped);

    int m_width = 0;
    int m_bandColumns = 0;
    int m_pageRows = 0;
    QRgb m_background = 0;
    int m_reserve = 0;
    Stamp m_stamp;
    Sink m_sink;
    QImage m_held; // rows m_heldTop onwards, not yet written
    int m_heldTop = 0;
    int m_written = 0;
    Result<void> m_failure;
};

} // namespace tessaly
