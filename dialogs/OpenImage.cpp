#include "dialogs/OpenImage.h"

using namespace Qt::StringLiterals;

namespace tessaly {

OpenImage::OpenImage()
{
    Timer1.setInterval(100);
    m_module.setPreviewTimer(&Timer1);
}

QString OpenImage::OpenImageWithPreview()
{
    Timer1.start();
    QString filter = u"Image files "_s + QChar(u'\0') + u"*.bmp;*.gif;*.jpg;*.dib"_s;
    int flags = CmnDialog::OFN_READONLY | CmnDialog::OFN_HIDEREADONLY;
    return m_module.ShowOpenDialog(m_parentForm, filter, flags, m_initDir, m_title, true);
}

QString OpenImage::OpenFile()
{
    return m_module.ShowOpenDialog(m_parentForm, m_filter, m_flags, m_initDir, m_title, false);
}

QString OpenImage::SaveFile()
{
    return m_module.ShowSaveDialog(m_parentForm, m_filter, m_flags, m_initDir, m_title);
}

} // namespace tessaly
