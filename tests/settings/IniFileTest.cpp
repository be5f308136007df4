// Reading profile files, writing them from nothing, and changing one value of an existing
// file while keeping every other byte of it.
#include "settings/IniFile.h"

#include "SettingsFiles.h"

#include <QFileInfo>

#include <array>

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

} // namespace

TEST_F(Ini, ReadsByTheProfileRules)
{
    // An absent file gives the default and is not created.
    EXPECT_EQ(IniFile(path).value(u"main"_s, u"savetype"_s, u".png"_s), u".png"_s);
    EXPECT_FALSE(QFileInfo::exists(path));
    struct Case
    {
        QByteArray content;
        QString section, key, expected;
    };
    const QByteArray twoSections = "[other]\nsavetype=.bmp\n[main]\nsilent=1\n";
    const Case cases[] = {
        {twoSections, u"main"_s, u"savetype"_s, {}},
        {twoSections, u"missing"_s, u"silent"_s, {}},
        {twoSections, u"main"_s, u"silent"_s, u"1"_s},
        // Names ignore case.
        {"[Main]\nSaveType=.gif\n", u"MAIN"_s, u"SAVETYPE"_s, u".gif"_s},
        // Blanks round names and values go; inner blanks and quotes stay.
        {"  [ main ]  \r\n\t savelocation \t=  /srv/shots/  \t\r\n", u"main"_s, u"savelocation"_s,
         u"/srv/shots/"_s},
        {"[main]\nempty=\r\n", u"main"_s, u"empty"_s, {}},
        {"[main]\na= \"two  words\" \n", u"main"_s, u"a"_s, u"\"two  words\""_s},
        // Keys before any section, comments, a line without "=" and "[main" do not count.
        {"silent=1\n[main]\n;silent=2\n#silent=3\nsilent\n[main\nsilent=4\n", u"main"_s,
         u"silent"_s, u"4"_s},
        {"[main]\n;silent=2\n", u"main"_s, u";silent"_s, {}},
        // The first of equal keys counts; repeated sections are searched in order.
        {"[main]\nsavetype=.bmp\nSAVETYPE=.gif\n[main]\nsavetype=.jpg\n", u"main"_s, u"savetype"_s,
         u".bmp"_s},
        {"[main]\na=1\n[other]\nb=9\n[MAIN]\nb=2\n", u"main"_s, u"b"_s, u"2"_s},
        // A byte-order mark, CRLF endings and bytes that are not UTF-8 hide no section.
        {Mixed, u"main"_s, u"savetype"_s, u".gif"_s},
        {Mixed, u"other"_s, u"savetype"_s, u".bmp"_s},
        {Mixed, u"tail"_s, u"x"_s, u"y"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.content.toStdString());
        writeFile(path, c.content);
        EXPECT_EQ(read(c.key, c.section), c.expected) << c.key.toStdString();
    }
}

TEST_F(Ini, ValuesAreCutTo254Characters)
{
    const QString longValue = QString(300, u'x');
    ASSERT_TRUE(write(u"savelocation"_s, longValue));
    EXPECT_TRUE(contentOf(path).contains(longValue.toUtf8())); // written in full
    EXPECT_EQ(read(u"savelocation"_s), QString(254, u'x'));

    // A character outside the basic plane straddling the cut is dropped whole.
    ASSERT_TRUE(write(u"savelocation"_s,
                      QString(253, u'z') + QString::fromUcs4(U"\U0001F4F7") + u"tail"_s));
    EXPECT_EQ(read(u"savelocation"_s), QString(253, u'z'));

    EXPECT_EQ(IniFile(path).value(u"main"_s, u"none"_s, QString(400, u'd')), QString(254, u'd'));
}

TEST_F(Ini, WritingCreatesTheFileAndSectionInOrderOfFirstWrite)
{
    for (const auto &[key, value] : {std::pair{u"savelocation"_s, u"/home/ann/Shots/"_s},
                                     {u"savetype"_s, u".png"_s},
                                     {u"enablewatermark"_s, u"1"_s},
                                     {u"silent"_s, u"0"_s},
                                     {u"savetype"_s, u".jpg"_s}})
        ASSERT_TRUE(write(key, value));
    EXPECT_EQ(contentOf(path), "[main]\nsavelocation=/home/ann/Shots/\nsavetype=.jpg\n"
                               "enablewatermark=1\nsilent=0\n");
    EXPECT_TRUE(entriesOf(dir.path()) == QStringList{u"settings.ini"_s}); // no leftovers
}

TEST_F(Ini, EntriesTheFormatCannotHoldAreRefused)
{
    writeFile(path, "[main]\nsavelocation=/old/\n");
    // A line break in a value would smuggle in keys of its own.
    const std::array<QString, 3> refused[] = {{u"main"_s, u"savelocation"_s, u"/x/\nsilent=1"_s},
                                              {u"main"_s, u"savelocation"_s, u"/x/\r"_s},
                                              {u"main"_s, u"save=location"_s, u"/x/"_s},
                                              {u"main"_s, u"  "_s, u"/x/"_s},
                                              {u"main"_s, u";key"_s, u"/x/"_s},
                                              {u""_s, u"savelocation"_s, u"/x/"_s},
                                              {u"ma]in"_s, u"savelocation"_s, u"/x/"_s},
                                              {u"main\n"_s, u"savelocation"_s, u"/x/"_s}};
    for (const auto &[section, key, value] : refused) {
        const Result<void> written = write(key, value, section);
        EXPECT_FALSE(written) << section.toStdString() << key.toStdString();
        EXPECT_FALSE(written.error().isEmpty());
    }
    EXPECT_EQ(contentOf(path), "[main]\nsavelocation=/old/\n");
}

TEST_F(Ini, FailedWritesAreReportedAndChangeNothing)
{
    // The parent "folder" is a regular file.
    const QString blocker = dir.file(u"not-a-folder"_s);
    writeFile(blocker, "plain file\n");
    const QString inside = QDir(blocker).filePath(u"settings.ini"_s);
    const Result<void> blocked = Modini::WriteIni(u"main"_s, u"silent"_s, u"1"_s, inside);
    EXPECT_FALSE(blocked);
    EXPECT_TRUE(blocked.error().contains(u"settings.ini"_s)) << blocked.error().toStdString();
    EXPECT_EQ(contentOf(blocker), "plain file\n");
    EXPECT_EQ(Modini::ReadIni(u"main"_s, u"silent"_s, inside), QString());

    // The settings file is a folder.
    ASSERT_TRUE(QDir().mkpath(QDir(path).filePath(u"keep"_s)));
    EXPECT_FALSE(write(u"silent"_s, u"1"_s));
    EXPECT_TRUE(QFileInfo::exists(QDir(path).filePath(u"keep"_s)));
}

TEST_F(Ini, OneWriteChangesOnlyItsOwnLine)
{
    struct Case
    {
        QByteArray before;
        QString section, key, value;
        QByteArray after;
    };
    const Case cases[] = {
        {Mixed, u"main"_s, u"savetype"_s, u".png"_s,
         QByteArray(Mixed).replace("  SaveType = .gif  \r\n", "  SaveType = .png\r\n")},
        // A new key follows the section's last key, with the file's line ending.
        {Mixed, u"Main"_s, u"enablewatermark"_s, u"1"_s,
         QByteArray(Mixed).replace("silent=1\r\n", "silent=1\r\nenablewatermark=1\r\n")},
        // A new section, or key, follows an unterminated last line.
        {Mixed, u"extra"_s, u"k"_s, u"v"_s, Mixed + "\r\n[extra]\r\nk=v\r\n"},
        {"[main]\na=1", u"main"_s, u"b"_s, u"2"_s, "[main]\na=1\nb=2\n"},
        // An empty section takes the key right after its header.
        {"[main]\n; nothing yet\n[next]\nz=1\n", u"main"_s, u"silent"_s, u"0"_s,
         "[main]\nsilent=0\n; nothing yet\n[next]\nz=1\n"},
        // Empty and mark-only files get the section.
        {"", u"main"_s, u"silent"_s, u"1"_s, "[main]\nsilent=1\n"},
        {"\xEF\xBB\xBF", u"main"_s, u"silent"_s, u"1"_s, "\xEF\xBB\xBF[main]\nsilent=1\n"},
        // The first of equal keys is replaced.
        {"[main]\nsavetype=.bmp\nSAVETYPE=.gif\n[main]\nsavetype=.jpg\n", u"main"_s, u"savetype"_s,
         u".tif"_s, "[main]\nsavetype=.tif\nSAVETYPE=.gif\n[main]\nsavetype=.jpg\n"},
        // Repeated sections: the key is found in a later one, a new key joins the first.
        {"[main]\na=1\n[other]\nb=9\n[MAIN]\nb=2\n", u"main"_s, u"b"_s, u"3"_s,
         "[main]\na=1\n[other]\nb=9\n[MAIN]\nb=3\n"},
        {"[main]\na=1\n[other]\nb=9\n[MAIN]\nb=3\n", u"main"_s, u"c"_s, u"4"_s,
         "[main]\na=1\nc=4\n[other]\nb=9\n[MAIN]\nb=3\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.before.toStdString() + " <- " + c.key.toStdString());
        writeFile(path, c.before);
        ASSERT_TRUE(write(c.key, c.value, c.section));
        EXPECT_EQ(contentOf(path), c.after);
        EXPECT_EQ(read(c.key, c.section), c.value);
    }
}

TEST_F(Ini, GarbageIsReadAsNothingAndKeptWhole)
{
    for (quint32 seed = 1; seed <= 20; ++seed) {
        const QByteArray noise = garbage(4096, seed);
        writeFile(path, noise);
        ASSERT_TRUE(write(u"silent"_s, u"1"_s)) << "seed " << seed;
        EXPECT_EQ(read(u"silent"_s), u"1"_s) << "seed " << seed;
        // Noise holds no section "main", so the new one follows it whole.
        EXPECT_TRUE(contentOf(path).startsWith(noise)) << "seed " << seed;
    }
}

// A large file keeps its bulk; past the limit it is taken for no profile file at all.
TEST_F(Ini, TheFileSizeDecidesBetweenKeepingTheBulkAndLeavingTheFileAlone)
{
    const QByteArray before = garbage(5 * 1024 * 1024, 11).replace('\n', ' ').replace('[', '(');
    const QByteArray after = garbage(5 * 1024 * 1024, 12);
    writeFile(path, before + "\n[main]\nsavetype=.gif\n" + after);
    EXPECT_EQ(read(u"savetype"_s), u".gif"_s);
    ASSERT_TRUE(write(u"savetype"_s, u".png"_s));
    EXPECT_EQ(contentOf(path), before + "\n[main]\nsavetype=.png\n" + after);

    writeFile(path, "[main]\nsilent=1\n");
    ASSERT_TRUE(QFile::resize(path, IniFile::MaxFileSize + 10)); // sparse, so cheap
    EXPECT_EQ(read(u"silent"_s), QString());
    const Result<void> result = write(u"silent"_s, u"0"_s);
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.error().isEmpty());
    EXPECT_EQ(QFileInfo(path).size(), IniFile::MaxFileSize + 10);
    EXPECT_TRUE(contentOf(path).startsWith("[main]\nsilent=1\n"));
}
