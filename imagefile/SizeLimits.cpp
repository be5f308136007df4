#include "imagefile/SizeLimits.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace tessaly::SizeLimits {

namespace {

QString sizeText(QSize size)
{
    return u"The image is %1 x %2 pixels"_s.arg(size.width()).arg(size.height());
}

QLocale messageLocale()
{
    // Messages are English; keep their digit grouping English too.
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

} // namespace

Result<void> checkSide(QSize size, const QString &formatName, qint64 maxSide)
{
    if (size.width() <= maxSide && size.height() <= maxSide)
        return {};
    return fail(u"%1; %2 files hold at most %3 pixels a side"_s.arg(
        sizeText(size), formatName, messageLocale().toString(maxSide)));
}

Result<void> checkBytes(QSize size, const QString &formatName, qint64 bytes, qint64 maxBytes)
{
    if (bytes <= maxBytes)
        return {};
    const QLocale locale = messageLocale();
    return fail(u"%1; as %2 it would take %3, and %2 files written here hold at most %4"_s.arg(
        sizeText(size), formatName,
        locale.formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat),
        locale.formattedDataSize(maxBytes, 1, QLocale::DataSizeTraditionalFormat)));
}

} // namespace tessaly::SizeLimits
