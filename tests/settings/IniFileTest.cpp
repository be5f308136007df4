// Reading profile files, and writing them from nothing.
#include "settings/IniFile.h"
#include "settings/Modini.h"

#include "../support/TempDir.h"
#include "SettingsFiles.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace settingsfiles;
using namespace Qt::StringLiterals;

TEST(IniFileRead, AbsentFileSectionOrKeyGiveTheDefault)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"savetype"_s, path), QString());
    EXPECT_EQ(IniFile(path).value(u"main"_s, u"savetype"_s, u".png"_s), u".png"_s);
    EXPECT_FALSE(QFileInfo::exists(path)); // reading creates nothing

    writeFile(path, "[other]\nsavetype=.bmp\n[main]\nsilent=1\n");
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"savetype"_s, path), QString());
    EXPECT_EQ(Modini::ReadIni(u"missing"_s, u"silent"_s, path), QString());
    EXPECT_EQ(IniFile(path).value(u"main"_s, u"savetype"_s, u"x"_s), u"x"_s);
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"silent"_s, path), u"1"_s);
}

TEST(IniFileRead, SectionAndKeyIgnoreCase)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    writeFile(path, "[Main]\nSaveType=.gif\nsilent=0\n");
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"savetype"_s, path), u".gif"_s);
    EXPECT_EQ(Modini::ReadIni(u"MAIN"_s, u"SAVETYPE"_s, path), u".gif"_s);
    EXPECT_EQ(Modini::ReadIni(u"mAiN"_s, u"Silent"_s, path), u"0"_s);
}

TEST(IniFileRead, NamesAndValuesAreTrimmedOfBlanks)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    writeFile(path, "  [ main ]  \r\n\t savelocation \t=  /srv/shots/  \t\r\nempty=\r\n");
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"savelocation"_s, path), u"/srv/shots/"_s);
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"empty"_s, path), QString());
    // The value keeps its inner blanks and is not unquoted.
    writeFile(path, "[main]\na= \"two  words\" \n");
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"a"_s, path), u"\"two  words\""_s);
}

TEST(IniFileRead, CommentsAndForeignLinesAreNoKeys)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    writeFile(path, "silent=1\n[main]\n;silent=2\n#silent=3\nsilent\n[main\nsilent=4\n");
    // The key before any section and the commented ones do not count; "[main" is no header.
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"silent"_s, path), u"4"_s);
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u";silent"_s, path), QString());
}

TEST(IniFileRead, ValuesAreCutTo254Characters)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    const QString longValue = QString(300, u'x');
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"savelocation"_s, longValue, path));
    EXPECT_TRUE(contentOf(path).contains(longValue.toUtf8())); // written in full
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"savelocation"_s, path), QString(254, u'x'));

    const QString exact = QString(254, u'y');
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"savelocation"_s, exact, path));
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"savelocation"_s, path), exact);

    // A character outside the basic plane straddling the cut is dropped whole.
    const QString straddling = QString(253, u'z') + QString::fromUcs4(U"\U0001F4F7") + u"tail"_s;
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"savelocation"_s, straddling, path));
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"savelocation"_s, path), QString(253, u'z'));

    EXPECT_EQ(IniFile(path).value(u"main"_s, u"none"_s, QString(400, u'd')), QString(254, u'd'));
}

TEST(IniFileWrite, CreatesTheFileAndSectionInOrderOfFirstWrite)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"savelocation"_s, u"/home/ann/Shots/"_s, path));
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"savetype"_s, u".png"_s, path));
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"enablewatermark"_s, u"1"_s, path));
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"silent"_s, u"0"_s, path));
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"savetype"_s, u".jpg"_s, path));
    EXPECT_EQ(contentOf(path), "[main]\nsavelocation=/home/ann/Shots/\nsavetype=.jpg\n"
                               "enablewatermark=1\nsilent=0\n");
    EXPECT_TRUE(entriesOf(dir.path()) == QStringList{u"settings.ini"_s}); // no leftovers
}

TEST(IniFileWrite, EmptyAndMarkOnlyFilesGetTheSection)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    writeFile(path, "");
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"silent"_s, u"1"_s, path));
    EXPECT_EQ(contentOf(path), "[main]\nsilent=1\n");

    writeFile(path, "\xEF\xBB\xBF");
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"silent"_s, u"1"_s, path));
    EXPECT_EQ(contentOf(path), "\xEF\xBB\xBF[main]\nsilent=1\n");
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"silent"_s, path), u"1"_s);
}

TEST(IniFileWrite, NonAsciiTextRoundTrips)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    const QString folder = u"/home/jörg/Bildschirmfotos – 写真/"_s;
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"savelocation"_s, folder, path));
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"savelocation"_s, path), folder);
    EXPECT_TRUE(contentOf(path).contains(folder.toUtf8()));
}

TEST(IniFileWrite, EntriesTheFormatCannotHoldAreRefused)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    writeFile(path, "[main]\nsavelocation=/old/\n");
    const QByteArray before = contentOf(path);

    // A line break in a value would smuggle in keys of its own.
    const WriteResult injected =
        Modini::WriteIni(u"main"_s, u"savelocation"_s, u"/x/\nsilent=1"_s, path);
    EXPECT_FALSE(injected);
    EXPECT_FALSE(injected.error().isEmpty());
    EXPECT_FALSE(Modini::WriteIni(u"main"_s, u"savelocation"_s, u"/x/\r"_s, path));
    EXPECT_FALSE(Modini::WriteIni(u"main"_s, u"save=location"_s, u"/x/"_s, path));
    EXPECT_FALSE(Modini::WriteIni(u"main"_s, u"  "_s, u"/x/"_s, path));
    EXPECT_FALSE(Modini::WriteIni(u"main"_s, u";key"_s, u"/x/"_s, path));
    EXPECT_FALSE(Modini::WriteIni(u""_s, u"savelocation"_s, u"/x/"_s, path));
    EXPECT_FALSE(Modini::WriteIni(u"ma]in"_s, u"savelocation"_s, u"/x/"_s, path));
    EXPECT_FALSE(Modini::WriteIni(u"main\n"_s, u"savelocation"_s, u"/x/"_s, path));
    EXPECT_EQ(contentOf(path), before);
}

TEST(IniFileWrite, FailedWritesAreReportedAndChangeNothing)
{
    TempDir dir;
    // The parent "folder" is a regular file.
    const QString blocker = dir.file(u"not-a-folder"_s);
    writeFile(blocker, "plain file\n");
    const QString inside = QDir(blocker).filePath(u"settings.ini"_s);
    const WriteResult blocked = Modini::WriteIni(u"main"_s, u"silent"_s, u"1"_s, inside);
    EXPECT_FALSE(blocked);
    EXPECT_TRUE(blocked.error().contains(u"settings.ini"_s)) << blocked.error().toStdString();
    EXPECT_EQ(contentOf(blocker), "plain file\n");
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"silent"_s, inside), QString());

    // The settings file is a folder.
    const QString folder = dir.file(u"settings.ini"_s);
    ASSERT_TRUE(QDir().mkpath(QDir(folder).filePath(u"keep"_s)));
    EXPECT_FALSE(Modini::WriteIni(u"main"_s, u"silent"_s, u"1"_s, folder));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath(u"keep"_s)));
}

TEST(IniFileWrite, AnOversizedFileIsNeitherReadNorReplaced)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[main]\nsilent=1\n");
        ASSERT_TRUE(file.resize(IniFile::MaxFileSize + 10)); // sparse, so cheap
    }
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"silent"_s, path), QString());
    const WriteResult result = Modini::WriteIni(u"main"_s, u"silent"_s, u"0"_s, path);
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.error().isEmpty());
    EXPECT_EQ(QFileInfo(path).size(), IniFile::MaxFileSize + 10);
    EXPECT_TRUE(contentOf(path).startsWith("[main]\nsilent=1\n"));
}
