#include "anchor/UiTagFile.h"

#include "base/WholeFileWriter.h"

#include <QFile>
#include <QXmlStreamReader>

#include <algorithm>

namespace tessaly {

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

bool isObjectElement(QStringView element)
{
    return element == u"widget" || element == u"layout" || element == u"action" ||
           element == u"actiongroup";
}

// Element text as XML needs it; nothing for characters XML 1.0 cannot hold at all.
std::optional<QString> escapeText(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'&') {
            out += QLatin1String("&amp;");
        } else if (c == u'<') {
            out += QLatin1String("&lt;");
        } else if (c == u'>') {
            out += QLatin1String("&gt;");
        } else if (c == u'\r') {
            out += QLatin1String("&#13;"); // a raw one would be read back as a line end
        } else if (c.isHighSurrogate() && i + 1 < value.size() &&
                   value.at(i + 1).isLowSurrogate()) {
            out += c;
            out += value.at(++i);
        } else if (c.isSurrogate() || (c.unicode() < 0x20 && c != u'\t' && c != u'\n') ||
                   c.unicode() == 0xFFFE || c.unicode() == 0xFFFF) {
            return std::nullopt;
        } else {
            out += c;
        }
    }
    return out;
}

QString compactProperty(const QString &escaped)
{
    return QLatin1String("<property name=\"Tag\" stdset=\"0\"><string>") + escaped +
           QLatin1String("</string></property>");
}

// Laid out the way Designer writes a property: one line each, the string one step in.
QString propertyBlock(const QString &indent, const QString &step, const QString &escaped,
                      const QString &newline)
{
    return QLatin1String("<property name=\"Tag\" stdset=\"0\">") + newline + indent + step +
           QLatin1String("<string>") + escaped + QLatin1String("</string>") + newline + indent +
           QLatin1String("</property>");
}

} // namespace

Result<UiTagFile> UiTagFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    }
    return fromBytes(file.readAll());
}

Result<UiTagFile> UiTagFile::fromBytes(const QByteArray &bytes)
{
    UiTagFile file;
    file.m_bytes = bytes;
    QByteArrayView body(bytes);
    file.m_bom = body.startsWith(Utf8Bom);
    if (file.m_bom)
        body = body.sliced(Utf8Bom.size());
    file.m_text = QString::fromUtf8(body);
    // Writing back must give the same bytes for everything that is not edited.
    if (file.m_text.toUtf8() != body) {
        return fail(QStringLiteral("the form is not UTF-8 text"));
    }
    if (Result<void> parsed = file.parse(); !parsed)
        return fail(parsed.error());
    return file;
}

Result<void> UiTagFile::save(const QString &path, const QByteArray &bytes)
{
    if (const Result<void> written = WholeFileWriter::replace(path, bytes); !written)
        return fail(QStringLiteral("cannot write %1: %2").arg(path, written.error()));
    return {};
}

Result<void> UiTagFile::parse()
{
    struct Frame
    {
        int object = -1;   // the object this element is, if it is one
        int tagOwner = -1; // for a Tag property: the object it belongs to
        bool childSeen = false;
    };
    std::vector<Frame> open;
    QXmlStreamReader reader(m_text);
    while (!reader.atEnd()) {
        reader.readNext();
        // The offset is just past the token; for markup that is its closing '>'. An
        // attribute value cannot hold '<', so the token's own '<' is the last one before.
        const qsizetype after = reader.characterOffset();
        if (reader.isStartDocument()) {
            const QStringView encoding = reader.documentEncoding();
            if (!encoding.isEmpty() && encoding.compare(u"UTF-8", Qt::CaseInsensitive) != 0 &&
                encoding.compare(u"UTF8", Qt::CaseInsensitive) != 0) {
                return fail(QStringLiteral("the form is declared as %1, not UTF-8")
                                .arg(encoding.toString()));
            }
        } else if (reader.isStartElement()) {
            const qsizetype begin = m_text.lastIndexOf(u'<', after - 1);
            const bool selfClosing = QStringView(m_text).sliced(after - 2, 2) == u"/>";
            if (!open.empty()) {
                Frame &parent = open.back();
                const bool first = !parent.childSeen;
                parent.childSeen = true;
                if (parent.object >= 0 && first)
                    m_objects[static_cast<std::size_t>(parent.object)].firstChildBegin = begin;
                if (parent.tagOwner >= 0 && first && reader.name() == u"string") {
                    TagProperty &tag =
                        m_objects[static_cast<std::size_t>(parent.tagOwner)].tags.back();
                    tag.isString = true;
                    tag.selfClosing = selfClosing;
                    tag.stringBegin = begin;
                    tag.contentBegin = after;
                    tag.value = reader.readElementText(); // reads through </string>
                    if (reader.hasError())
                        break;
                    tag.contentEnd = selfClosing
                                         ? after
                                         : m_text.lastIndexOf(u'<', reader.characterOffset() - 1);
                    continue;
                }
            }
            Frame frame;
            const QXmlStreamAttributes attributes = reader.attributes();
            if (isObjectElement(reader.name()) && attributes.hasAttribute(QLatin1String("name"))) {
                Object object;
                object.element = reader.name().toString();
                object.name = attributes.value(QLatin1String("name")).toString();
                object.startTagBegin = begin;
                object.startTagEnd = after;
                object.selfClosing = selfClosing;
                frame.object = static_cast<int>(m_objects.size());
                m_objects.push_back(object);
            } else if (reader.name() == u"property" &&
                       attributes.value(QLatin1String("name")) == u"Tag" && !open.empty() &&
                       open.back().object >= 0) {
                frame.tagOwner = open.back().object;
                m_objects[static_cast<std::size_t>(frame.tagOwner)].tags.emplace_back();
            }
            open.push_back(frame);
        } else if (reader.isEndElement() && !open.empty()) {
            const Frame frame = open.back();
            open.pop_back();
            if (frame.object >= 0) {
                Object &object = m_objects[static_cast<std::size_t>(frame.object)];
                object.endTagBegin = object.selfClosing ? -1 : m_text.lastIndexOf(u'<', after - 1);
            }
        }
    }
    if (reader.hasError()) {
        return fail(QStringLiteral("the form is not well-formed XML (line %1, column %2: %3)")
                        .arg(reader.lineNumber())
                        .arg(reader.columnNumber())
                        .arg(reader.errorString()));
    }
    return {};
}

QStringList UiTagFile::objectNames() const
{
    QStringList names;
    for (const Object &object : m_objects)
        names.append(object.name);
    return names;
}

bool UiTagFile::contains(const QString &objectName) const
{
    return std::any_of(m_objects.begin(), m_objects.end(),
                       [&](const Object &o) { return o.name == objectName; });
}

std::optional<QString> UiTagFile::tag(const QString &objectName) const
{
    for (const Object &object : m_objects) {
        if (object.name == objectName && !object.tags.empty())
            return object.tags.back().value;
    }
    return std::nullopt;
}

std::optional<QString> UiTagFile::lineIndent(qsizetype position) const
{
    const qsizetype lineStart = position == 0 ? 0 : m_text.lastIndexOf(u'\n', position - 1) + 1;
    const QString prefix = m_text.mid(lineStart, position - lineStart);
    const bool blank =
        std::all_of(prefix.begin(), prefix.end(), [](QChar c) { return c == u' ' || c == u'\t'; });
    return blank ? std::optional<QString>(prefix) : std::nullopt;
}

QString UiTagFile::newline() const
{
    return m_text.contains(QLatin1String("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
}

Result<void> UiTagFile::addEdit(const Object &object, const QString &value,
                                std::vector<Edit> &edits) const
{
    if (object.tags.size() > 1) {
        return fail(QStringLiteral("\"%1\" has more than one Tag").arg(object.name));
    }
    const std::optional<QString> escaped = escapeText(value);
    if (!escaped) {
        return fail(QStringLiteral("the Tag of \"%1\" holds characters a form file cannot")
                        .arg(object.name));
    }

    if (!object.tags.empty()) {
        const TagProperty &tag = object.tags.front();
        if (!tag.isString) {
            return fail(QStringLiteral("the Tag of \"%1\" is not a <string>").arg(object.name));
        }
        if (tag.value == value)
            return {};
        if (tag.selfClosing) {
            QString start = m_text.mid(tag.stringBegin, tag.contentBegin - tag.stringBegin);
            start.chop(2); // "/>"
            edits.push_back({tag.stringBegin, tag.contentBegin,
                             start + u'>' + *escaped + QLatin1String("</string>")});
        } else {
            edits.push_back({tag.contentBegin, tag.contentEnd, *escaped});
        }
        return {};
    }

    if (value.isEmpty())
        return {}; // no Tag reads as an empty one
    const QString nl = newline();
    const QString step = QStringLiteral(" ");
    const std::optional<QString> indent = lineIndent(object.startTagBegin);
    if (object.firstChildBegin >= 0) {
        const std::optional<QString> childIndent = lineIndent(object.firstChildBegin);
        if (!childIndent) {
            edits.push_back(
                {object.firstChildBegin, object.firstChildBegin, compactProperty(*escaped)});
            return {};
        }
        const QString childStep =
            indent && childIndent->size() > indent->size() && childIndent->startsWith(*indent)
                ? childIndent->mid(indent->size())
                : step;
        edits.push_back({object.firstChildBegin, object.firstChildBegin,
                         propertyBlock(*childIndent, childStep, *escaped, nl) + nl + *childIndent});
        return {};
    }
    const QString endTag = QLatin1String("</") + object.element + u'>';
    if (object.selfClosing) {
        QString start = m_text.mid(object.startTagBegin, object.startTagEnd - object.startTagBegin);
        start.chop(2); // "/>"
        const QString inner = indent ? nl + *indent + step +
                                           propertyBlock(*indent + step, step, *escaped, nl) + nl +
                                           *indent
                                     : compactProperty(*escaped);
        edits.push_back({object.startTagBegin, object.startTagEnd, start + u'>' + inner + endTag});
        return {};
    }
    const std::optional<QString> endIndent = lineIndent(object.endTagBegin);
    if (endIndent) {
        edits.push_back(
            {object.endTagBegin, object.endTagBegin,
             step + propertyBlock(*endIndent + step, step, *escaped, nl) + nl + *endIndent});
    } else {
        edits.push_back({object.endTagBegin, object.endTagBegin, compactProperty(*escaped)});
    }
    return {};
}

Result<QByteArray> UiTagFile::withTags(const QHash<QString, QString> &tags) const
{
    std::vector<Edit> edits;
    for (auto it = tags.cbegin(); it != tags.cend(); ++it) {
        const Object *found = nullptr;
        int count = 0;
        for (const Object &object : m_objects) {
            if (object.name == it.key()) {
                found = &object;
                ++count;
            }
        }
        if (count != 1) {
            return fail(count == 0
                            ? QStringLiteral("\"%1\" is not an object of the form").arg(it.key())
                            : QStringLiteral("\"%1\" names more than one object of the form")
                                  .arg(it.key()));
        }
        if (Result<void> added = addEdit(*found, it.value(), edits); !added)
            return fail(added.error());
    }

    // From the end backwards so earlier offsets stay valid; at one offset the replacement
    // goes first, so an insertion there lands before the replaced text.
    std::sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) {
        return a.begin != b.begin ? a.begin > b.begin : a.end > b.end;
    });
    QString text = m_text;
    for (const Edit &edit : edits)
        text.replace(edit.begin, edit.end - edit.begin, edit.text);
    QByteArray out = m_bom ? Utf8Bom : QByteArray();
    out += text.toUtf8();

    // Read the result back: it must be well-formed and say what was asked.
    const Result<UiTagFile> check = fromBytes(out);
    if (!check)
        return fail(QStringLiteral("the edited form would be damaged: %1").arg(check.error()));
    for (auto it = tags.cbegin(); it != tags.cend(); ++it) {
        if (check->tag(it.key()).value_or(QString()) != it.value()) {
            return fail(
                QStringLiteral("the Tag of \"%1\" did not come out as written").arg(it.key()));
        }
    }
    return out;
}

} // namespace tessaly
