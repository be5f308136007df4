#pragma once
// Reading and writing whole files in tests, apart from the code under test.
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

/// The bytes of a file; empty when it cannot be read.
inline QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Everything in a folder, hidden entries included, by name.
inline QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

/// Writes `data` as the whole of `path`; a failure fails the test.
inline void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(data), data.size()) << path.toStdString();
}

/// Saves a one-colour BMP at `path` and returns the path; a failure fails the test.
inline QString writeBitmap(const QString &path, int width, int height, QColor colour = Qt::black)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    EXPECT_TRUE(image.save(path, "BMP")) << path.toStdString();
    return path;
}
