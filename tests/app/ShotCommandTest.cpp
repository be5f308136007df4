#include "ShotProcess.h"
#include "support/RowsPage.h"
#include "support/StalledServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <map>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using ShotCommand = ShotPages;

// The renderers among the descendants of `root`: forked by a zygote, they keep its command
// line.
std::vector<qint64> renderersUnder(qint64 root)
{
    const auto read = [](qint64 pid, const char *name) {
        QFile file(u"/proc/%1/%2"_s.arg(pid).arg(QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    std::map<qint64, qint64> parentOf;
    for (const QString &entry : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
        const QByteArray stat = read(entry.toLongLong(), "stat");
        // "pid (name) state ppid ...": the name may hold spaces, so read after its last ')'.
        const QList<QByteArray> rest = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (rest.size() > 1)
            parentOf[entry.toLongLong()] = rest.at(1).toLongLong();
    }
    const auto under = [&](qint64 pid) {
        for (auto up = parentOf.find(pid); pid != root && up != parentOf.end();
             up = parentOf.find(pid))
            pid = up->second;
        return pid == root;
    };
    std::vector<qint64> renderers;
    for (const auto &[pid, parent] : parentOf)
        if (under(parent) && read(parent, "cmdline").contains("--type=zygote"))
            renderers.push_back(pid);
    return renderers;
}

} // namespace

// A fresh process captures as soon as the page has loaded, before the view may have drawn
// it: the first band must still be the page, not a blank view. It runs as a user does, with
// no engine switches set, so that the suite also runs the browser as it chooses by itself.
TEST_F(ShotCommand, FreshProcessWithNoSwitchesSetCapturesEveryBandFromTheFirst)
{
    const ScopedVariable noFlags("QTWEBENGINE_CHROMIUM_FLAGS", QByteArray());
    const ScopedVariable noChoice("TESSALY_GPU", QByteArray());
    server.addPage(u"/static.html"_s, rows::staticPage(4000));
    const QImage image = captured({640, 480}, {}, url(u"/static.html"_s), dir.file(u"long.png"_s));
    EXPECT_EQ(image.width(), 638);
    rows::expectRows(image, 4000);
}

// A page that does not load ends the run with the reason, and the picture an earlier run
// left under that name is kept as it was.
TEST_F(ShotCommand, FailuresEndWithAReasonAndLeaveAnEarlierPictureAlone)
{
    const QString output = dir.file(u"none.png"_s);
    QFile existing(output);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    ShotRun run = shot({StalledServer::refusedUrl(), output});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(u"could not be loaded"_s)) << run.errors.toStdString();
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("keep me"));
    existing.close();

    // A folder that cannot exist: its parent is a file.
    run = shot({url(u"/rows.html?h=300"_s), dir.file(u"none.png/inside.png"_s)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(u"cannot write"_s)) << run.errors.toStdString();
}

// Help, version and usage errors are read before any display is looked for, so they work
// over a plain terminal session too.
TEST(ShotCommandLine, HelpVersionAndUsageNeedNoDisplay)
{
    const ScopedVariable noX("DISPLAY", {}), noWayland("WAYLAND_DISPLAY", {});
    const ScopedVariable noPlatform("QT_QPA_PLATFORM", {});
    ShotRun run = shot({u"--help"_s});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.output.startsWith(u"Usage: tessaly-shot [options] URL OUTPUT"_s))
        << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(u"--batch"_s));
    run = shot({u"--version"_s});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, QStringLiteral("tessaly-shot " TESSALY_VERSION "\n"));
    run = shot({u"--no-such-option"_s});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.errors.contains(u"Try 'tessaly-shot --help'"_s));
}

// The page's renderer ends while the page loads: tessaly-shot says so, ends and writes nothing.
TEST_F(ShotCommand, RendererEndingWhileLoadingEndsWithAReason)
{
    qint64 shotPid = 0;
    int killed = 0;
    // The renderer is there once the page's first bytes are asked for.
    const StalledServer slow(
        "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n<!doctype html><body>", [&] {
            for (const qint64 pid : renderersUnder(shotPid))
                killed += ::kill(pid_t(pid), SIGKILL) == 0;
        });
    const QString output = dir.file(u"crashed.png"_s);
    const ShotRun run = shot({slow.url(), output}, [&](qint64 pid) { shotPid = pid; });
    ASSERT_GT(killed, 0) << "no renderer was found to end";
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(u"renderer ended while loading"_s)) << run.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(output));
}
