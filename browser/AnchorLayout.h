#pragma once

#include "browser/FormAnchoring.h"
#include "drawing/Twips.h"

#include <QPointer>

namespace tessaly {

class Anchor;

/// The capture window's anchoring: an `Anchor` on the window, driven by the tags its form
/// gives each control.
class AnchorLayout : public FormAnchoring
{
public:
    AnchorLayout(QWidget &window, const TwipsScale &scale);
    ~AnchorLayout() override;

    void setDontRefresh(bool dontRefresh) override;
    void DoInit(std::int32_t FormHeight, std::int32_t FormWidth) override;
    /// Nothing to do: the anchor lays the window out on its resize events itself, before
    /// the window's own resize handling runs.
    void DoResize() override {}

private:
    QPointer<Anchor> m_anchor1;
};

} // namespace tessaly
