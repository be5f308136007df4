#pragma once

#include <QCoreApplication>
#include <QString>

namespace tessaly {

class CaptureReport;
class PageMeasurement;
class StitchingCanvas;
class TileFinishing;
struct CaptureState;

/// One capture from the press to the file: measures the page, walks the view through
/// Picture1 band by band, has each band stitched into the file as it goes, and the file finished.
class CaptureSession
{
    Q_DECLARE_TR_FUNCTIONS(CaptureSession)

public:
    CaptureSession(CaptureState &state, PageMeasurement &measurement, StitchingCanvas &canvas,
                   TileFinishing &finishing, CaptureReport &report);

    void Command5_Click();
    /// Ends a running capture at its next step without writing a file.
    void cancel(const QString &reason);

private:
    CaptureState &m_state;
    PageMeasurement &m_measurement;
    StitchingCanvas &m_canvas;
    TileFinishing &m_finishing;
    CaptureReport &m_report;
};

} // namespace tessaly
