#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace tessaly {

class CaptureReport;
class PageMeasurement;
class StitchingCanvas;
class TileFinishing;
struct CaptureState;

/// One capture from the press to the file: measures the page, walks the view through
/// Picture1 band by band, has each band stitched, and the canvas finished and written.
class CaptureSession
{
    Q_DECLARE_TR_FUNCTIONS(CaptureSession)

public:
    CaptureSession(CaptureState &state, PageMeasurement &measurement, StitchingCanvas &canvas,
                   TileFinishing &finishing, CaptureReport &report);

    /// Largest page height a capture takes, in pixels; taller pages are cut there.
    static constexpr int MaxPageHeightPixels = 200000;

    void Command5_Click();
    /// Ends a running capture at its next step without writing a file.
    void cancel(const QString &reason);
    /// Where the memory still available is read, in bytes (nothing: unknown).
    void setMemoryProbe(std::function<std::optional<std::int64_t>()> probe);

private:
    /// Why a page of PageHeight cannot be captured in the memory left; empty when it can.
    QString memoryProblem() const;

    CaptureState &m_state;
    PageMeasurement &m_measurement;
    StitchingCanvas &m_canvas;
    TileFinishing &m_finishing;
    CaptureReport &m_report;
    std::function<std::optional<std::int64_t>()> m_memoryProbe;
};

} // namespace tessaly
