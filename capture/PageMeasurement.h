#pragma once

#include <QString>

namespace tessaly {

struct CaptureState;

/// Measures the active view's page: lists the heights it may have (List2), from its
/// document and from every path of up to three of the frame names seen (List1).
class PageMeasurement
{
public:
    explicit PageMeasurement(CaptureState &state) : m_state(state) {}

    void GetPageSizes();
    /// Lists a height of `pixels` as a candidate.
    void AddHeightCandidate(float pixels);
    /// A height in twips as List2 holds it.
    static QString formatCandidate(double value);

private:
    CaptureState &m_state;
};

} // namespace tessaly
