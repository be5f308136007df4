#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>

namespace tessaly {

/// Splits one line into words as a POSIX shell would, without expanding anything: blanks
/// separate words; 'single quotes' keep everything literally; "double quotes" keep
/// everything but \" \\ \$ \` (a backslash before any other character stays); outside
/// quotes a backslash keeps the next character. Fails, with the reason, for a quote that
/// is not closed or a line that ends in a backslash.
Result<QStringList> splitShellWords(const QString &line);

} // namespace tessaly
