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

#include <functional>

/// One run of tessaly-shot as its own process.
struct ShotRun
{
    int exitCode = -1;
    QString errors;
    QString output;
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
                       const QString &output)
{
    const ShotRun run =
        shot(QStringList{QStringLiteral("--width"), QString::number(area.width()),
                         QStringLiteral("--height"), QString::number(area.height())} +
             options + QStringList{url, output});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    return decode(output);
}

/// Sets an environment variable (removes it, given a null value) while it lives, for the
/// processes started meanwhile.
class ScopedVariable
{
public:
    ScopedVariable(const char *name, const QByteArray &value)
        : m_name(name), m_before(qgetenv(name))
    {
        set(value);
    }
    ~ScopedVariable() { set(m_before); }
    ScopedVariable(const ScopedVariable &) = delete;
    ScopedVariable &operator=(const ScopedVariable &) = delete;

private:
    void set(const QByteArray &value) const
    {
        if (value.isNull())
            qunsetenv(m_name);
        else
            qputenv(m_name, value);
    }

    const char *m_name;
    QByteArray m_before;
};

/// A test of tessaly-shot runs: a folder of its own and a local server of the test pages.
class ShotPages : public ::testing::Test
{
protected:
    ShotPages() : server(QStringLiteral(TESSALY_TEST_DATA)) {}

    QString url(const QString &pathAndQuery) const { return server.url(pathAndQuery).toString(); }

    TempDir dir;
    LocalHttpServer server;
};
