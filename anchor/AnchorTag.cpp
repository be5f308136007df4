#include "anchor/AnchorTag.h"

#include <QObject>
#include <QVariant>

namespace tessaly {

namespace {
constexpr qsizetype FlagCount = 4;
constexpr qsizetype PrefixLength = 6;
} // namespace

QString tagOf(const QObject *control)
{
    const QVariant tag = control->property("Tag");
    return tag.isValid() ? tag.toString() : QString();
}

void setTag(QObject *control, const QString &tag)
{
    control->setProperty("Tag", tag);
}

bool hasAnchorPrefix(const QString &tag)
{
    if (tag.size() < PrefixLength || tag.mid(FlagCount, 2) != AnchorPrefixEnd)
        return false;
    for (qsizetype i = 0; i < FlagCount; ++i) {
        if (tag.at(i) != u'T' && tag.at(i) != u'F')
            return false;
    }
    return true;
}

QString anchorFlags(const QString &tag)
{
    return hasAnchorPrefix(tag) ? tag.left(FlagCount) : QString();
}

QString withoutAnchorPrefix(const QString &tag)
{
    return hasAnchorPrefix(tag) ? tag.mid(PrefixLength) : tag;
}

} // namespace tessaly
