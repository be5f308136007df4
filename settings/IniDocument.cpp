#include "settings/IniDocument.h"

#include <QByteArrayView>

#include <utility>

using namespace Qt::StringLiterals;

namespace tessaly {

namespace {

constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

/// One line of the text: [start, end) is its content without the line ending; `next` is
/// where the following line starts.
struct Line
{
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

enum class LineKind
{
    Other,
    Section,
    Key
};

/// What a line says: a section header with its name, a key with its name and value span,
/// or anything else (blank, comment, garbage), which is kept untouched.
struct ParsedLine
{
    LineKind kind = LineKind::Other;
    QByteArrayView name;
    qsizetype valueStart = 0;
    qsizetype valueEnd = 0;
};

Line lineAt(const QByteArray &bytes, qsizetype start)
{
    Line line;
    line.start = start;
    const qsizetype newline = bytes.indexOf('\n', start);
    line.end = newline < 0 ? bytes.size() : newline;
    line.next = newline < 0 ? bytes.size() : newline + 1;
    if (line.end > line.start && bytes.at(line.end - 1) == '\r')
        --line.end;
    return line;
}

QByteArrayView trimmedSpan(const QByteArray &bytes, qsizetype from, qsizetype to)
{
    while (from < to && isBlank(bytes.at(from)))
        ++from;
    while (to > from && isBlank(bytes.at(to - 1)))
        --to;
    return QByteArrayView(bytes.constData() + from, to - from);
}

ParsedLine parse(const QByteArray &bytes, const Line &line)
{
    ParsedLine parsed;
    qsizetype pos = line.start;
    if (pos == 0 && QByteArrayView(bytes).startsWith(ByteOrderMark))
        pos = ByteOrderMark.size();
    while (pos < line.end && isBlank(bytes.at(pos)))
        ++pos;
    if (pos >= line.end)
        return parsed;

    const char first = bytes.at(pos);
    if (first == ';' || first == '#')
        return parsed;
    const QByteArrayView content(bytes.constData() + pos, line.end - pos);
    if (first == '[') {
        const qsizetype close = content.indexOf(']');
        if (close < 0)
            return parsed;
        parsed.kind = LineKind::Section;
        parsed.name = trimmedSpan(bytes, pos + 1, pos + close);
        return parsed;
    }
    const qsizetype equals = content.indexOf('=');
    if (equals < 0)
        return parsed;
    parsed.kind = LineKind::Key;
    parsed.name = trimmedSpan(bytes, pos, pos + equals);
    parsed.valueStart = pos + equals + 1;
    while (parsed.valueStart < line.end && isBlank(bytes.at(parsed.valueStart)))
        ++parsed.valueStart;
    parsed.valueEnd = line.end;
    while (parsed.valueEnd > parsed.valueStart && isBlank(bytes.at(parsed.valueEnd - 1)))
        --parsed.valueEnd;
    return parsed;
}

bool sameName(QByteArrayView stored, const QString &wanted)
{
    return QString::fromUtf8(stored).compare(wanted, Qt::CaseInsensitive) == 0;
}

QString trimBlanks(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && (text.at(from) == u' ' || text.at(from) == u'\t'))
        ++from;
    while (to > from && (text.at(to - 1) == u' ' || text.at(to - 1) == u'\t'))
        --to;
    return text.mid(from, to - from);
}

bool hasLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(u'\0'));
}

} // namespace

/// Where a key stands, or where it would go.
struct IniDocument::Match
{
    bool found = false;
    qsizetype valueStart = 0; // found: the span of the value, trailing blanks included
    qsizetype valueEnd = 0;
    qsizetype lineEnd = 0;
    qsizetype insertAt = -1; // not found: after the last key of the first such section
};

IniDocument::IniDocument(QByteArray bytes) : m_bytes(std::move(bytes)) {}

IniDocument::Match IniDocument::find(const QString &section, const QString &key) const
{
    Match match;
    bool inSection = false;
    bool inFirstSection = false;
    qsizetype pos = 0;
    while (pos < m_bytes.size()) {
        const Line line = lineAt(m_bytes, pos);
        pos = line.next;
        const ParsedLine parsed = parse(m_bytes, line);
        if (parsed.kind == LineKind::Section) {
            inSection = sameName(parsed.name, section);
            inFirstSection = inSection && match.insertAt < 0;
            if (inFirstSection)
                match.insertAt = line.next;
        } else if (parsed.kind == LineKind::Key && inSection) {
            if (sameName(parsed.name, key)) {
                match.found = true;
                match.valueStart = parsed.valueStart;
                match.valueEnd = parsed.valueEnd;
                match.lineEnd = line.end;
                return match;
            }
            if (inFirstSection)
                match.insertAt = line.next;
        }
    }
    return match;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const Match match = find(section, key);
    if (!match.found)
        return std::nullopt;
    return QString::fromUtf8(m_bytes.constData() + match.valueStart,
                             match.valueEnd - match.valueStart);
}

QByteArray IniDocument::lineEnding() const
{
    // New lines follow the file's own convention, taken from its first line.
    const qsizetype newline = m_bytes.indexOf('\n');
    if (newline > 0 && m_bytes.at(newline - 1) == '\r')
        return "\r\n"_ba;
    return "\n"_ba;
}

void IniDocument::insert(qsizetype position, const QByteArray &lines)
{
    // A last line without its line ending gets one before anything follows it.
    const bool onlyMark = m_bytes == ByteOrderMark;
    if (position == m_bytes.size() && !m_bytes.isEmpty() && !onlyMark && !m_bytes.endsWith('\n')) {
        m_bytes.append(lineEnding());
        position = m_bytes.size();
    }
    m_bytes.insert(position, lines);
}

Result<void> IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    if (Result<void> entry = checkEntry(section, key, value); !entry)
        return entry;
    const QByteArray text = trimBlanks(value).toUtf8();
    const Match match = find(trimBlanks(section), trimBlanks(key));
    if (match.found) {
        m_bytes.replace(match.valueStart, match.lineEnd - match.valueStart, text);
        return {};
    }
    const QByteArray eol = lineEnding();
    const QByteArray keyLine = trimBlanks(key).toUtf8() + '=' + text + eol;
    if (match.insertAt >= 0) {
        insert(match.insertAt, keyLine);
        return {};
    }
    insert(m_bytes.size(), '[' + trimBlanks(section).toUtf8() + ']' + eol + keyLine);
    return {};
}

Result<void> IniDocument::checkEntry(const QString &section, const QString &key,
                                     const QString &value)
{
    const QString name = trimBlanks(section);
    if (name.isEmpty())
        return fail(u"The section name is empty."_s);
    if (hasLineBreak(section) || name.contains(u']'))
        return fail(u"The section name \"%1\" cannot be stored in a profile file."_s.arg(section));
    const QString keyName = trimBlanks(key);
    if (keyName.isEmpty())
        return fail(u"The key name is empty."_s);
    if (hasLineBreak(key) || keyName.contains(u'=') || keyName.startsWith(u'[') ||
        keyName.startsWith(u';') || keyName.startsWith(u'#'))
        return fail(u"The key name \"%1\" cannot be stored in a profile file."_s.arg(key));
    if (hasLineBreak(value))
        return fail(
            u"The value of \"%1\" contains a line break, which a profile file cannot hold."_s.arg(
                keyName));
    return {};
}

} // namespace tessaly
