#pragma once

#include "settings/Modini.h"

#include "../support/TempDir.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace settingsfiles {

inline QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(data), data.size());
}

// Random bytes, the same for the same seed.
inline QByteArray garbage(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

inline QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// One profile file in a fresh folder, read and written in section "main" unless told.
class Ini : public ::testing::Test
{
protected:
    QString read(const QString &key, const QString &section = QStringLiteral("main")) const
    {
        return tessaly::Modini::ReadIni(section, key, path);
    }
    tessaly::Result<void> write(const QString &key, const QString &value,
                                const QString &section = QStringLiteral("main")) const
    {
        return tessaly::Modini::WriteIni(section, key, value, path);
    }

    TempDir dir;
    const QString path = dir.file(QStringLiteral("settings.ini"));
};

} // namespace settingsfiles
