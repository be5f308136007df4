#include "shot/ShellWords.h"

namespace tessaly {

Result<QStringList> splitShellWords(const QString &line)
{
    QStringList words;
    QString word;
    bool inWord = false; // an empty quoted word still counts
    enum class Quote
    {
        None,
        Single,
        Double
    } quote = Quote::None;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        switch (quote) {
        case Quote::Single:
            if (c == u'\'')
                quote = Quote::None;
            else
                word += c;
            continue;
        case Quote::Double:
            if (c == u'"') {
                quote = Quote::None;
            } else if (c == u'\\' && i + 1 < line.size() &&
                       QStringLiteral("\"\\$`").contains(line.at(i + 1))) {
                word += line.at(++i);
            } else {
                word += c;
            }
            continue;
        case Quote::None:
            break;
        }
        if (c == u' ' || c == u'\t') {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == u'\'') {
            quote = Quote::Single;
        } else if (c == u'"') {
            quote = Quote::Double;
        } else if (c == u'\\') {
            if (i + 1 == line.size()) {
                return fail(QStringLiteral("the line ends in a backslash"));
            }
            word += line.at(++i);
        } else {
            word += c;
        }
    }
    if (quote != Quote::None) {
        return fail(quote == Quote::Single ? QStringLiteral("a ' quote is not closed")
                                           : QStringLiteral("a \" quote is not closed"));
    }
    if (inWord)
        words.append(word);
    return words;
}

} // namespace tessaly
