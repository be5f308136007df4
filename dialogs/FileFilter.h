#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tessaly {

/// A file-type list in the form callers write it: description and pattern list
/// alternately, each ended by a NUL character ("Bitmap (*.bmp) ", NUL, "*.bmp", NUL, ...);
/// patterns within one entry are separated by ';'.
class FileFilter
{
public:
    struct Entry
    {
        QString description;
        QStringList patterns;
    };

    /// "All Files (*.*)" NUL "*.*" NUL: the list used when a caller gives none.
    static QString defaultFilter();

    /// The description/pattern pairs; a description without patterns is dropped.
    static QList<Entry> parse(const QString &filter);

    /// The entries as file-dialog name filters, "description (pattern pattern)", which the
    /// dialog shows as the bare description. "*.*" becomes "*", so that it also matches
    /// names without a dot, as it always has.
    static QStringList nameFilters(const QList<Entry> &entries);
};

} // namespace tessaly
