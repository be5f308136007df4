#pragma once
// Running tessaly-shot as its own process, and what its runs share.

#include "support/LocalHttpServer.h"
#include "support/TempDir.h"

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
    QString output;
};

/// Runs tessaly-shot in `environment` (the test's own when empty), spinning the event loop so
/// local servers answer while it loads.
inline ShotRun shot(const QStringList &arguments, const QProcessEnvironment &environment = {})
{
    QProcess process;
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(QStringLiteral(TESSALY_SHOT), arguments);
    EXPECT_TRUE(finished.wait(120000)) << "tessaly-shot did not end";
    ShotRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    run.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return run;
}

inline QImage decode(const QString &path)
{
    QImageReader reader(path);
    reader.setAllocationLimit(0);
    return reader.read();
}

/// Runs tessaly-shot over a browser area of `area` with `options`, expects it to end with
/// exit code 0, and decodes what it wrote: a null picture when there is none.
inline QImage captured(QSize area, const QStringList &options, const QString &url,
                       const QString &output, const QProcessEnvironment &environment = {})
{
    const ShotRun run =
        shot(QStringList{QStringLiteral("--width"), QString::number(area.width()),
                         QStringLiteral("--height"), QString::number(area.height())} +
                 options + QStringList{url, output},
             environment);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    return decode(output);
}

/// A test of tessaly-shot runs: a folder of its own and a local server of the test pages.
class ShotPages : public ::testing::Test
{
protected:
    ShotPages() : server(QStringLiteral(TESSALY_TEST_DATA)) {}

    QString url(const QString &pathAndQuery) const { return server.url(pathAndQuery).toString(); }

    TempDir dir;
    LocalHttpServer server;
};
