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

struct Loaded
{
    bool ok = false;
    QByteArray bytes;
    QString error;
};

/// The file's bytes; a missing file is an empty one. Anything else that keeps the file
/// from being read is an error, so that a write never replaces a file it could not read.
Loaded load(const QString &path)
{
    Loaded loaded;
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        loaded.ok = true;
        return loaded;
    }
    if (info.isDir()) {
        loaded.error = u"%1 is a folder, not a settings file."_s.arg(shown);
        return loaded;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.error = u"%1 cannot be read: %2"_s.arg(shown, file.errorString());
        return loaded;
    }
    // Read one byte past the limit, so that files without a size (devices, pipes) are
    // measured by what they deliver.
    loaded.bytes = file.read(IniFile::MaxFileSize + 1);
    if (loaded.bytes.size() > IniFile::MaxFileSize) {
        loaded.bytes.clear();
        loaded.error = u"%1 is too large to be a settings file."_s.arg(shown);
        return loaded;
    }
    if (file.error() != QFileDevice::NoError) {
        loaded.bytes.clear();
        loaded.error = u"%1 cannot be read: %2"_s.arg(shown, file.errorString());
        return loaded;
    }
    loaded.ok = true;
    return loaded;
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

QString IniFile::value(const QString &section, const QString &key,
                       const QString &defaultValue) const
{
    const Loaded loaded = load(m_path);
    if (!loaded.ok)
        return cut(defaultValue);
    const std::optional<QString> stored = IniDocument(loaded.bytes).value(section, key);
    return cut(stored.value_or(defaultValue));
}

WriteResult IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString problem = IniDocument::checkEntry(section, key, value);
    if (!problem.isEmpty())
        return WriteResult::failure(problem);

    Loaded loaded = load(m_path);
    if (!loaded.ok)
        return WriteResult::failure(loaded.error);
    IniDocument document(std::move(loaded.bytes));
    document.setValue(section, key, value);

    QString reason;
    if (!WholeFileWriter::replace(m_path, document.bytes(), &reason))
        return WriteResult::failure(
            u"%1 cannot be written: %2"_s.arg(QDir::toNativeSeparators(m_path), reason));
    return WriteResult::success();
}

} // namespace tessaly
