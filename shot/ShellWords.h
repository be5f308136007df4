#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tessaly {

/// Splits one line into words as a POSIX shell would, without expanding anything: blanks
/// separate words; 'single quotes' keep everything literally; "double quotes" keep
/// everything but \" \\ \$ \` (a backslash before any other character stays); outside
/// quotes a backslash keeps the next character. Nothing, with the reason, for a quote that
/// is not closed or a line that ends in a backslash.
std::optional<QStringList> splitShellWords(const QString &line, QString *error);

} // namespace tessaly
