#pragma once

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

/// A temporary folder for one test, removed with it.
class TempDir
{
public:
    TempDir() { EXPECT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

private:
    QTemporaryDir m_dir;
};
