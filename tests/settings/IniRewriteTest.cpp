// Changing one value of an existing file keeps every other byte of it.
#include "settings/IniFile.h"
#include "settings/Modini.h"

#include "../support/TempDir.h"
#include "SettingsFiles.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace settingsfiles;
using namespace Qt::StringLiterals;

namespace {

// CRLF endings, a byte-order mark, a comment, bytes that are not UTF-8, blanks round the
// names, a foreign section before and after.
const QByteArray Mixed = "\xEF\xBB\xBF; written by hand\r\n"
                         "[Other]\r\nsavetype=.bmp\r\n\r\n"
                         "[MAIN]\r\n  SaveType = .gif  \r\n"
                         "foo\xff\xfe=\x80\x81 raw\r\n"
                         "# comment\r\n"
                         "silent=1\r\n"
                         "\r\n"
                         "[tail]\r\nx=y";

QByteArray garbage(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

} // namespace

TEST(IniRewrite, ReplacingAValueKeepsEveryOtherByte)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    writeFile(path, Mixed);
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"savetype"_s, path), u".gif"_s);

    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"savetype"_s, u".png"_s, path));
    QByteArray expected = Mixed;
    expected.replace("  SaveType = .gif  \r\n", "  SaveType = .png\r\n");
    EXPECT_EQ(contentOf(path), expected);
    EXPECT_EQ(Modini::ReadIni(u"other"_s, u"savetype"_s, path), u".bmp"_s);
    EXPECT_EQ(Modini::ReadIni(u"tail"_s, u"x"_s, path), u"y"_s);
}

TEST(IniRewrite, ANewKeyFollowsTheSectionsLastKeyWithTheFilesLineEnding)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    writeFile(path, Mixed);
    ASSERT_TRUE(Modini::WriteIni(u"Main"_s, u"enablewatermark"_s, u"1"_s, path));
    QByteArray expected = Mixed;
    expected.replace("silent=1\r\n", "silent=1\r\nenablewatermark=1\r\n");
    EXPECT_EQ(contentOf(path), expected);
}

TEST(IniRewrite, ANewSectionIsAppendedAfterAnUnterminatedLastLine)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    writeFile(path, Mixed);
    ASSERT_TRUE(Modini::WriteIni(u"extra"_s, u"k"_s, u"v"_s, path));
    EXPECT_EQ(contentOf(path), Mixed + "\r\n[extra]\r\nk=v\r\n");

    writeFile(path, "[main]\na=1");
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"b"_s, u"2"_s, path));
    EXPECT_EQ(contentOf(path), "[main]\na=1\nb=2\n");
}

TEST(IniRewrite, AnEmptySectionTakesTheKeyRightAfterItsHeader)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    writeFile(path, "[main]\n; nothing yet\n[next]\nz=1\n");
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"silent"_s, u"0"_s, path));
    EXPECT_EQ(contentOf(path), "[main]\nsilent=0\n; nothing yet\n[next]\nz=1\n");
}

TEST(IniRewrite, TheFirstOfDuplicateKeysIsReadAndReplaced)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    const QByteArray original = "[main]\nsavetype=.bmp\nSAVETYPE=.gif\n[main]\nsavetype=.jpg\n";
    writeFile(path, original);
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"savetype"_s, path), u".bmp"_s);
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"savetype"_s, u".tif"_s, path));
    EXPECT_EQ(contentOf(path), "[main]\nsavetype=.tif\nSAVETYPE=.gif\n[main]\nsavetype=.jpg\n");
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"savetype"_s, path), u".tif"_s);
}

TEST(IniRewrite, RepeatedSectionsAreSearchedInOrderAndTheFirstGrows)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    writeFile(path, "[main]\na=1\n[other]\nb=9\n[MAIN]\nb=2\n");
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"b"_s, path), u"2"_s);
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"b"_s, u"3"_s, path));
    EXPECT_EQ(contentOf(path), "[main]\na=1\n[other]\nb=9\n[MAIN]\nb=3\n");
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"c"_s, u"4"_s, path));
    EXPECT_EQ(contentOf(path), "[main]\na=1\nc=4\n[other]\nb=9\n[MAIN]\nb=3\n");
}

TEST(IniRewrite, BinaryGarbageIsReadAsNothingAndKeptWhole)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    const QByteArray noise = garbage(64 * 1024, 7).replace('\n', 'n').replace('[', '(');
    writeFile(path, noise);
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"silent"_s, path), QString());
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"silent"_s, u"1"_s, path));
    EXPECT_EQ(contentOf(path), noise + "\n[main]\nsilent=1\n");
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"silent"_s, path), u"1"_s);
}

TEST(IniRewrite, UnrestrictedGarbageNeverBreaksReadOrWrite)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    for (quint32 seed = 1; seed <= 20; ++seed) {
        const QByteArray noise = garbage(4096, seed);
        writeFile(path, noise);
        (void)Modini::ReadIni(u"main"_s, u"silent"_s, path);
        ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"silent"_s, u"1"_s, path));
        EXPECT_EQ(Modini::ReadIni(u"main"_s, u"silent"_s, path), u"1"_s) << "seed " << seed;
        // Noise holds no section "main", so the new one follows it whole.
        EXPECT_TRUE(contentOf(path).startsWith(noise)) << "seed " << seed;
    }
}

TEST(IniRewrite, TenMegabyteFileKeepsItsBulk)
{
    TempDir dir;
    const QString path = dir.file(u"settings.ini"_s);
    QByteArray before = garbage(5 * 1024 * 1024, 11).replace('\n', ' ').replace('[', '(');
    QByteArray after = garbage(5 * 1024 * 1024, 12);
    const QByteArray original = before + "\n[main]\nsavetype=.gif\n" + after;
    writeFile(path, original);

    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"savetype"_s, path), u".gif"_s);
    ASSERT_TRUE(Modini::WriteIni(u"main"_s, u"savetype"_s, u".png"_s, path));
    EXPECT_EQ(contentOf(path), before + "\n[main]\nsavetype=.png\n" + after);
}
