#include "ShotProcess.h"
#include "support/FileHelpers.h"
#include "support/RowsPage.h"
#include "support/StalledServer.h"

#include <utility>
#include <vector>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using ShotCommand = ShotPages;

} // namespace

// A fresh process captures as soon as the page has loaded, before the view may have drawn
// it: the first band must still be the page, not a blank view. It runs as a user does, with
// no engine switches set, so that the suite also runs the browser as it chooses by itself.
TEST_F(ShotCommand, FreshProcessWithNoSwitchesSetCapturesEveryBandFromTheFirst)
{
    QProcessEnvironment asAUser = QProcessEnvironment::systemEnvironment();
    asAUser.remove(u"QTWEBENGINE_CHROMIUM_FLAGS"_s);
    asAUser.remove(u"TESSALY_GPU"_s);
    server.addPage(u"/static.html"_s, rows::staticPage(4000));
    const QImage image =
        captured({640, 480}, {}, url(u"/static.html"_s), dir.file(u"long.png"_s), asAUser);
    EXPECT_EQ(image.width(), 638);
    rows::expectRows(image, 4000);
}

// Each way a run fails, with the reason it ends with: exit code 1, and the picture an
// earlier run left under that name is kept as it was.
TEST_F(ShotCommand, FailedRunsEndWithTheReasonAndLeaveAnEarlierPictureAlone)
{
    const QString page = url(u"/rows.html?h=400"_s);
    const QString kept = dir.file(u"kept.png"_s);
    writeFile(kept, "keep me");
    const std::vector<std::pair<QStringList, QString>> cases = {
        {{StalledServer::refusedUrl(), kept}, u"could not be loaded"_s},
        // A folder that cannot exist: its parent is a file.
        {{page, kept + u"/inside.png"_s}, u"cannot write"_s},
        // The browser ends the page's renderer as it starts loading this address.
        {{u"chrome://crash"_s, kept}, u"the page's renderer ended while loading"_s},
        {{u"--javascript"_s, u"throw new Error('boom')"_s, page, kept}, u"boom"_s},
        {{u"--wait-for"_s, u"window.neverSet === true"_s, u"--timeout"_s, u"2"_s, page, kept},
         u"(--timeout) while waiting: --wait-for was not true yet"_s},
        {{u"--selector"_s, u"#missing"_s, page, kept}, u"#missing"_s}};
    for (const auto &[arguments, reason] : cases) {
        SCOPED_TRACE(reason.toStdString());
        const ShotRun run = shot(arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.errors.contains(reason)) << run.errors.toStdString();
        EXPECT_EQ(contentOf(kept), QByteArray("keep me"));
    }
}

// Help, version and usage errors are read before any display is looked for, so they work
// over a plain terminal session too.
TEST(ShotCommandLine, HelpVersionAndUsageNeedNoDisplay)
{
    QProcessEnvironment terminal = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        terminal.remove(name);
    ShotRun run = shot({u"--help"_s}, terminal);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.output.startsWith(u"Usage: tessaly-shot [options] URL OUTPUT"_s))
        << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(u"--batch"_s));
    run = shot({u"--version"_s}, terminal);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, QStringLiteral("tessaly-shot " TESSALY_VERSION "\n"));
    run = shot({u"--no-such-option"_s}, terminal);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.errors.contains(u"Try 'tessaly-shot --help'"_s));
}
