#pragma once

#include "browser/FormAnchoring.h"
#include "platform/Twips.h"

#include <QPointer>
#include <QSize>

namespace tessaly {

/// The capture window's layout when no anchoring is attached: the browser container and the
/// main view take up whatever size the window gains, the status and progress bars keep to
/// the bottom edge, and the window is held at no less than its starting size. Every other
/// control stays where the form put it.
class BasicResizeLayout : public FormAnchoring
{
public:
    BasicResizeLayout(QWidget &window, TwipsScale scale);

    void setDontRefresh(bool) override {}
    void DoInit(std::int32_t FormHeight, std::int32_t FormWidth) override;
    void DoResize() override;

private:
    QPointer<QWidget> m_window;
    TwipsScale m_scale;
    QSize m_minimum; ///< pixels
    QSize m_last;    ///< the window's size at the previous layout, pixels
};

} // namespace tessaly
