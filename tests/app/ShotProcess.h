#pragma once

#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

/// One run of tessaly-shot as its own process.
struct ShotRun
{
    int exitCode = -1;
    QString errors;
};

/// Runs tessaly-shot, spinning the event loop so local servers answer while it loads.
inline ShotRun shot(const QStringList &arguments)
{
    QProcess process;
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(QStringLiteral(TESSALY_SHOT), arguments);
    EXPECT_TRUE(finished.wait(120000)) << "tessaly-shot did not end";
    ShotRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

inline QImage decode(const QString &path)
{
    QImageReader reader(path);
    reader.setAllocationLimit(0);
    return reader.read();
}
