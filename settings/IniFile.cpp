#include "settings/IniFile.h"

#include "settings/IniDocument.h"

#include "base/WholeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

using namespace Qt::StringLiterals;

namespace tessaly {

namespace {

QString cut(const QString &text)
{
    if (text.size() <= IniFile::MaxValueLength)
        return text;
    qsizetype length = IniFile::MaxValueLength;
    // Never leave half of a surrogate pair at the end.
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

/// The file's bytes; a missing file is an empty one. Anything else that keeps the file
/// from being read is an error, so that a write never replaces a file it could not read.
Result<QByteArray> load(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return QByteArray();
    if (info.isDir())
        return fail(u"%1 is a folder, not a settings file."_s.arg(shown));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(u"%1 cannot be read: %2"_s.arg(shown, file.errorString()));
    // Read one byte past the limit, so that files without a size (devices, pipes) are
    // measured by what they deliver.
    QByteArray bytes = file.read(IniFile::MaxFileSize + 1);
    if (bytes.size() > IniFile::MaxFileSize)
        return fail(u"%1 is too large to be a settings file."_s.arg(shown));
    if (file.error() != QFileDevice::NoError)
        return fail(u"%1 cannot be read: %2"_s.arg(shown, file.errorString()));
    return bytes;
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

QString IniFile::value(const QString &section, const QString &key,
                       const QString &defaultValue) const
{
    const Result<QByteArray> loaded = load(m_path);
    if (!loaded)
        return cut(defaultValue);
    const std::optional<QString> stored = IniDocument(*loaded).value(section, key);
    return cut(stored.value_or(defaultValue));
}

Result<void> IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    // Checked before the file is read, so a bad entry is said as such whatever the file.
    if (Result<void> entry = IniDocument::checkEntry(section, key, value); !entry)
        return entry;

    Result<QByteArray> loaded = load(m_path);
    if (!loaded)
        return fail(loaded.error());
    IniDocument document(std::move(loaded).value());
    if (Result<void> changed = document.setValue(section, key, value); !changed)
        return changed;

    if (const Result<void> written = WholeFileWriter::replace(m_path, document.bytes()); !written)
        return fail(
            u"%1 cannot be written: %2"_s.arg(QDir::toNativeSeparators(m_path), written.error()));
    return {};
}

} // namespace tessaly
