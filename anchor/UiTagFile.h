#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tessaly {

/// A Qt Designer form file (.ui) seen as text: where each named object (widget, layout,
/// action, action group) keeps its "Tag" property, and the same file with new Tag texts
/// put in, every other byte as it was: formatting, line ends, the order and spelling of
/// everything else.
class UiTagFile
{
public:
    /// Reads a form file. Fails, with the reason, when it cannot be read, is not UTF-8 or
    /// is not well-formed XML.
    static Result<UiTagFile> load(const QString &path);
    /// The same from the file's bytes.
    static Result<UiTagFile> fromBytes(const QByteArray &bytes);
    /// Writes `bytes` to `path` atomically: the old file stays whole until the new one is.
    static Result<void> save(const QString &path, const QByteArray &bytes);

    const QByteArray &bytes() const { return m_bytes; }
    /// Names of the objects in the form, in document order, the root widget first.
    QStringList objectNames() const;
    bool contains(const QString &objectName) const;
    /// The object's Tag text; nothing when it has no Tag (or is not in the file).
    std::optional<QString> tag(const QString &objectName) const;

    /// The file with each named object's Tag set to the given text: the text of an existing
    /// <string> is replaced, and an object without a Tag gets a new Tag property as its first
    /// child (an empty text needs none). Fails, with the reason, when a name is not in the
    /// form or names more than one object, the object has several Tags or a Tag that is not
    /// a <string>, or a text holds characters XML cannot.
    Result<QByteArray> withTags(const QHash<QString, QString> &tags) const;

private:
    struct TagProperty
    {
        bool isString = false;
        bool selfClosing = false;   // <string/>
        qsizetype stringBegin = -1; // the <string> start tag
        qsizetype contentBegin = -1;
        qsizetype contentEnd = -1;
        QString value;
    };
    struct Object
    {
        QString element; // "widget", "layout", ...
        QString name;
        qsizetype startTagBegin = -1;
        qsizetype startTagEnd = -1;
        bool selfClosing = false;
        qsizetype firstChildBegin = -1;
        qsizetype endTagBegin = -1;
        std::vector<TagProperty> tags;
    };
    struct Edit
    {
        qsizetype begin;
        qsizetype end;
        QString text;
    };

    Result<void> parse();
    Result<void> addEdit(const Object &object, const QString &value,
                         std::vector<Edit> &edits) const;
    /// The blanks before `position` on its line; nothing when other text comes first.
    std::optional<QString> lineIndent(qsizetype position) const;
    QString newline() const;

    QByteArray m_bytes;
    bool m_bom = false;
    QString m_text;
    std::vector<Object> m_objects;
};

} // namespace tessaly
