#include "dialogs/FileFilter.h"

using namespace Qt::StringLiterals;

namespace tessaly {

QString FileFilter::defaultFilter()
{
    return u"All Files (*.*)"_s + QChar(u'\0') + u"*.*"_s + QChar(u'\0');
}

QList<FileFilter::Entry> FileFilter::parse(const QString &filter)
{
    const QStringList parts = filter.split(QChar(u'\0'));
    QList<Entry> entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        Entry entry;
        entry.description = parts.at(i).trimmed();
        for (const QString &pattern : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            if (!trimmed.isEmpty())
                entry.patterns << trimmed;
        }
        if (entry.description.isEmpty() && entry.patterns.isEmpty())
            break; // the empty pair that ends the list
        if (!entry.patterns.isEmpty())
            entries << entry;
    }
    return entries;
}

QStringList FileFilter::nameFilters(const QList<Entry> &entries)
{
    QStringList filters;
    for (const Entry &entry : entries) {
        QStringList patterns;
        for (const QString &pattern : entry.patterns)
            patterns << (pattern == "*.*"_L1 ? u"*"_s : pattern);
        filters << entry.description + u" ("_s + patterns.join(u' ') + u')';
    }
    return filters;
}

} // namespace tessaly
