#include "CaptureFixture.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QWebEnginePage>

#include <csignal>

using namespace tessaly;
using namespace tessaly::test;
using rows::expectRows;

namespace {

class DisturbedCapture : public RealCapture
{
protected:
    // Runs `disturb` once, when the given band has been grabbed, and captures.
    QString captureDisturbedAt(int band, const std::function<void()> &disturb)
    {
        QString failure;
        const QObject scope;
        QObject::connect(host.get(), &CaptureHost::captureFailed, &scope,
                         [&](const QString &message) { failure = message; });
        bool done = false;
        QObject::connect(host.get(), &CaptureHost::bandCaptured, &scope, [&](int grabbed, int) {
            if (grabbed == band && !done) {
                done = true;
                disturb();
            }
        });
        EXPECT_TRUE(capture().isNull()) << "a disturbed capture wrote a file";
        EXPECT_TRUE(done);
        return failure;
    }

    QStringList writtenFiles() const
    {
        return QDir(dir.path()).entryList(QDir::Files);
    }
};

} // namespace

TEST_F(DisturbedCapture, RendererEndingMidWalkWritesNothingAndTheViewLoadsAgain)
{
    load(QStringLiteral("/rows.html?h=12000"));
    QWebEnginePage *page = stage.view()->engineView()->page();
    const QString failure = captureDisturbedAt(3, [page] {
        ::kill(page->renderProcessPid(), SIGKILL);
    });
    EXPECT_TRUE(failure.contains(QStringLiteral("renderer"))) << failure.toStdString();
    EXPECT_TRUE(writtenFiles().isEmpty());
    EXPECT_EQ(host->CaptureCount, 0);
    EXPECT_TRUE(host->List2.isEmpty());

    load(QStringLiteral("/rows.html?h=2000"));
    expectRows(capture(), 2000);
    EXPECT_EQ(host->CaptureCount, 1);
}

TEST_F(DisturbedCapture, PageLeavingMidWalkWritesNothing)
{
    load(QStringLiteral("/rows.html?h=12000"));
    const QString away = server.url(QStringLiteral("/rows.html?h=300")).toString();
    QWebEnginePage *page = stage.view()->engineView()->page();
    const QString failure = captureDisturbedAt(2, [page, away] {
        page->runJavaScript(QStringLiteral("location.href = %1;")
                                .arg(QString::fromUtf8(QJsonDocument(QJsonArray{away}).toJson(
                                    QJsonDocument::Compact)).mid(1).chopped(1)));
    });
    EXPECT_TRUE(failure.contains(QStringLiteral("another address"))) << failure.toStdString();
    EXPECT_TRUE(writtenFiles().isEmpty());
    EXPECT_EQ(host->CaptureCount, 0);
}

// Content appended for ever: the walk covers what was measured and ends.
TEST_F(DisturbedCapture, PageGrowingForEverStillEnds)
{
    server.addPage(QStringLiteral("/growing.html"),
                   "<!doctype html><html><body style=\"margin:0\"><script>"
                   "setInterval(() => { const d = document.createElement('div');"
                   " d.style.height = '50px'; d.style.background = '#36c';"
                   " document.body.appendChild(d); }, 5);</script></body></html>");
    load(QStringLiteral("/growing.html"));
    const QImage image = capture();
    ASSERT_FALSE(image.isNull());
    EXPECT_LE(image.height(), CaptureHost::MaxPageHeightPixels);
    EXPECT_EQ(host->CaptureCount, 1);
}
