#pragma once

#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

/// One run of tessaly-shot as its own process.
struct ShotRun
{
    int exitCode = -1;
    QString errors;
};

/// Runs tessaly-shot, spinning the event loop so local servers answer while it loads;
/// `started` learns its process id.
inline ShotRun shot(const QStringList &arguments, const std::function<void(qint64)> &started = {})
{
    QProcess process;
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(QStringLiteral(TESSALY_SHOT), arguments);
    if (started && process.waitForStarted())
        started(process.processId());
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
