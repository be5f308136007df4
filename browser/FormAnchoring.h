#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class QWidget;

namespace tessaly {

/// What the capture window asks of the component that keeps its controls on their edges:
/// made afresh each time the window loads (its controls are then new), told the window's
/// starting size, and run on every resize of the window. Sizes are twips.
class FormAnchoring
{
public:
    virtual ~FormAnchoring() = default;

    /// When true, a layout pass does not hold and release the window's painting.
    virtual void setDontRefresh(bool dontRefresh) = 0;
    /// Takes the current layout as the reference; the given size is the window's minimum.
    virtual void DoInit(std::int32_t FormHeight, std::int32_t FormWidth) = 0;
    /// One layout pass for the window's current size.
    virtual void DoResize() = 0;
};

/// Makes the anchoring of a freshly built capture window; the window is its host.
using FormAnchoringFactory = std::function<std::unique_ptr<FormAnchoring>(QWidget &window)>;

} // namespace tessaly
