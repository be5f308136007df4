#pragma once

#include <QCoreApplication>

namespace tessaly {

class CaptureReport;
class WindowGrab;
struct CaptureState;

/// Grabs the band Picture1 shows and paints it into the page-high canvas (PicPrepare), whose
/// finished rows go on to the file as the walk goes down.
class StitchingCanvas
{
    Q_DECLARE_TR_FUNCTIONS(StitchingCanvas)

public:
    StitchingCanvas(CaptureState &state, const WindowGrab &grab, CaptureReport &report)
        : m_state(state), m_grab(grab), m_report(report)
    {
    }

    /// Paints the band at `TopPos` twips down the canvas.
    void CombinePics(float &TopPos);

private:
    CaptureState &m_state;
    const WindowGrab &m_grab;
    CaptureReport &m_report;
};

} // namespace tessaly
