#pragma once

#include <QLatin1String>
#include <QString>

class QObject;

namespace tessaly {

/// The prefix a new control gets: held by its left and top edges, so it neither moves
/// nor stretches.
inline constexpr QLatin1String DefaultAnchorPrefix("TTFF*/");
/// What ends the four edge flags of an anchor prefix.
inline constexpr QLatin1String AnchorPrefixEnd("*/");

/// A control's tag: its dynamic "Tag" property as text; empty when it has none.
QString tagOf(const QObject *control);
/// Sets a control's "Tag" property.
void setTag(QObject *control, const QString &tag);

/// True when `tag` starts with an anchor prefix: four flags, each "T" or "F" (left, top,
/// right, bottom), then "*/". A "*/" anywhere else belongs to the control's own text.
bool hasAnchorPrefix(const QString &tag);
/// The four flags of a prefixed tag.
QString anchorFlags(const QString &tag);
/// The control's own text: the tag without its prefix (unchanged when it has none).
QString withoutAnchorPrefix(const QString &tag);

} // namespace tessaly
