#pragma once
// The filters the dialog tests set up.
#include <QString>

namespace dialogrig {

using namespace Qt::StringLiterals;

inline const QChar Nul(u'\0');

inline QString bitmapFilter()
{
    return u"Bitmap (*.bmp) "_s + Nul + u"*.bmp"_s;
}

} // namespace dialogrig
