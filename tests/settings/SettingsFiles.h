#pragma once

#include "settings/Modini.h"

#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace settingsfiles {

// Random bytes, the same for the same seed.
inline QByteArray garbage(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
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
