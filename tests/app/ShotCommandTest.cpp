#include "ShotProcess.h"
#include "support/LocalHttpServer.h"
#include "support/RowsPage.h"
#include "support/TempDir.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>

#include <gtest/gtest.h>

namespace {

class ShotCommand : public ::testing::Test
{
protected:
    ShotCommand() : server(QStringLiteral(TESSALY_TEST_DATA)) {}

    QString page(int height) const
    {
        return server.url(QStringLiteral("/rows.html?h=%1").arg(height)).toString();
    }

    TempDir dir;
    LocalHttpServer server;
};

} // namespace

// A fresh process captures as soon as the page has loaded, before the view may have drawn
// it: the first band must still be the page, not a blank view.
TEST_F(ShotCommand, FreshProcessCapturesEveryBandFromTheFirst)
{
    server.addPage(QStringLiteral("/static.html"), rows::staticPage(4000));
    const QString output = dir.file(QStringLiteral("long.png"));
    const ShotRun run = shot({QStringLiteral("--width"), QStringLiteral("640"), QStringLiteral("--height"),
                              QStringLiteral("480"), server.url(QStringLiteral("/static.html")).toString(),
                              output});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QImage image = decode(output);
    EXPECT_EQ(image.width(), 638);
    rows::expectRows(image, 4000);
}

TEST_F(ShotCommand, EveryFormatDecodesAndShowsThePage)
{
    struct Case
    {
        const char *extension;
        int tolerance;
    };
    for (const Case &format : {Case{".bmp", 0}, Case{".png", 0}, Case{".tif", 0},
                               Case{".jpg", 40}, Case{".gif", 12}}) {
        SCOPED_TRACE(format.extension);
        const QString output = dir.file(QStringLiteral("page") + QLatin1String(format.extension));
        const ShotRun run = shot({QStringLiteral("--width"), QStringLiteral("400"),
                              QStringLiteral("--height"), QStringLiteral("300"), page(900), output});
        ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
        const QImage image = decode(output);
        ASSERT_FALSE(image.isNull()) << "does not decode";
        EXPECT_EQ(image.width(), 398);
        rows::expectRows(image, 900, format.tolerance);
    }
}

TEST_F(ShotCommand, FailuresEndWithAReasonAndLeaveNoFile)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();

    const QString output = dir.file(QStringLiteral("none.png"));
    ShotRun run = shot({refused, output});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("could not be loaded"))) << run.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(output));

    // An existing picture survives a capture that fails.
    QFile existing(output);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    run = shot({refused, output});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("keep me"));
    existing.close();

    // A folder that cannot exist: its parent is a file.
    run = shot({page(300), dir.file(QStringLiteral("none.png/inside.png"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("cannot write"))) << run.errors.toStdString();
}

TEST_F(ShotCommand, UsageErrorsExitWithTwo)
{
    const QString output = dir.file(QStringLiteral("page.webp"));
    ShotRun run = shot({page(300), output});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.errors.contains(QStringLiteral(".bmp, .gif, .jpg, .png or .tif")));
    EXPECT_FALSE(QFileInfo::exists(output));

    run = shot({page(300)});
    EXPECT_EQ(run.exitCode, 2);
    run = shot({QStringLiteral("--width"), QStringLiteral("0"), page(300), dir.file(QStringLiteral("a.png"))});
    EXPECT_EQ(run.exitCode, 2);
}

// Help, version and usage errors are read before any display is looked for, so they work
// over a plain terminal session too.
TEST(ShotCommandLine, HelpVersionAndUsageNeedNoDisplay)
{
    const auto run = [](const QStringList &arguments, QString *out) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TESSALY_SHOT), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        *out = QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    };
    QString text;
    EXPECT_EQ(run({QStringLiteral("--help")}, &text), 0);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Usage: tessaly-shot [options] URL OUTPUT"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("--batch")));
    EXPECT_EQ(run({QStringLiteral("--version")}, &text), 0);
    EXPECT_EQ(text, QStringLiteral("tessaly-shot " TESSALY_VERSION "\n"));
    EXPECT_EQ(run({QStringLiteral("--no-such-option")}, &text), 2);
    EXPECT_TRUE(text.contains(QStringLiteral("Try 'tessaly-shot --help'")));
}
