#include "browser/AnchorLayout.h"

#include "anchor/Anchor.h"

namespace tessaly {

AnchorLayout::AnchorLayout(QWidget &window, const TwipsScale &scale)
    : m_anchor1(new Anchor(&window)) // owned by the window, removed with this layout
{
    m_anchor1->setTwipsScale(scale);
}

AnchorLayout::~AnchorLayout()
{
    delete m_anchor1.data();
}

void AnchorLayout::setDontRefresh(bool dontRefresh)
{
    if (m_anchor1)
        m_anchor1->DontRefresh = dontRefresh;
}

void AnchorLayout::DoInit(std::int32_t FormHeight, std::int32_t FormWidth)
{
    if (m_anchor1)
        m_anchor1->DoInit(FormHeight, FormWidth);
}

} // namespace tessaly
