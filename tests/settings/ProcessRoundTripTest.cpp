// Values written by one process are read by another.
#include "SettingsFiles.h"

#include <QProcess>

using namespace tessaly;
using namespace settingsfiles;
using namespace Qt::StringLiterals;

namespace {

struct HelperRun
{
    int exitCode = -1;
    QString out, err;
};

HelperRun runHelper(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TESSALY_INI_HELPER), arguments);
    if (!process.waitForStarted() || !process.waitForFinished())
        return {-1, {}, process.errorString()};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

TEST_F(Ini, AValueWrittenByOneProcessIsReadByAnother)
{
    const QString folder = u"/home/zoë/Shots/"_s;
    const HelperRun written = runHelper({u"write"_s, path, u"main"_s, u"savelocation"_s, folder});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    ASSERT_EQ(runHelper({u"write"_s, path, u"MAIN"_s, u"SaveType"_s, u".tif"_s}).exitCode, 0);

    const HelperRun readBack = runHelper({u"read"_s, path, u"main"_s, u"savelocation"_s});
    EXPECT_EQ(readBack.exitCode, 0);
    EXPECT_EQ(readBack.out, folder);
    EXPECT_EQ(runHelper({u"read"_s, path, u"main"_s, u"savetype"_s}).out, u".tif"_s);
    EXPECT_EQ(contentOf(path), "[main]\nsavelocation=/home/zoë/Shots/\nSaveType=.tif\n");
}
