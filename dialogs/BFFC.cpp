#include "dialogs/BFFC.h"

#include "dialogs/frmButton.h"

namespace tessaly {

QString BFFC::SaveBrowse()
{
    return browse(m_showCreate, false);
}

QString BFFC::OpenBrowse()
{
    return browse(false, m_showRecurse);
}

QString BFFC::browse(bool create, bool recurse)
{
    // The helper window is made afresh for each browse, its box unchecked.
    frmButton helper(m_module);
    return helper.Browse(m_parentForm, create, recurse, m_initDir, m_title);
}

} // namespace tessaly
