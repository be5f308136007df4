// Changing one value of an existing file keeps every other byte of it.
#include "SettingsFiles.h"

#include <QRandomGenerator>

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

QByteArray replaced(QByteArray bytes, const char *before, const char *after)
{
    return bytes.replace(before, after);
}

} // namespace

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
         replaced(Mixed, "  SaveType = .gif  \r\n", "  SaveType = .png\r\n")},
        // A new key follows the section's last key, with the file's line ending.
        {Mixed, u"Main"_s, u"enablewatermark"_s, u"1"_s,
         replaced(Mixed, "silent=1\r\n", "silent=1\r\nenablewatermark=1\r\n")},
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
        {"[main]\nsavetype=.bmp\nSAVETYPE=.gif\n[main]\nsavetype=.jpg\n", u"main"_s,
         u"savetype"_s, u".tif"_s, "[main]\nsavetype=.tif\nSAVETYPE=.gif\n[main]\nsavetype=.jpg\n"},
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
    writeFile(path, Mixed);
    EXPECT_EQ(read(u"savetype"_s, u"other"_s), u".bmp"_s);
    EXPECT_EQ(read(u"x"_s, u"tail"_s), u"y"_s);
}

TEST_F(Ini, GarbageIsReadAsNothingAndKeptWhole)
{
    // Without line breaks or brackets the noise is one foreign line; with them it may be anything.
    writeFile(path, garbage(64 * 1024, 7).replace('\n', 'n').replace('[', '('));
    const QByteArray flat = contentOf(path);
    EXPECT_EQ(read(u"silent"_s), QString());
    ASSERT_TRUE(write(u"silent"_s, u"1"_s));
    EXPECT_EQ(contentOf(path), flat + "\n[main]\nsilent=1\n");

    for (quint32 seed = 1; seed <= 20; ++seed) {
        const QByteArray noise = garbage(4096, seed);
        writeFile(path, noise);
        (void)read(u"silent"_s);
        ASSERT_TRUE(write(u"silent"_s, u"1"_s)) << "seed " << seed;
        EXPECT_EQ(read(u"silent"_s), u"1"_s) << "seed " << seed;
        // Noise holds no section "main", so the new one follows it whole.
        EXPECT_TRUE(contentOf(path).startsWith(noise)) << "seed " << seed;
    }
}

TEST_F(Ini, TenMegabyteFileKeepsItsBulk)
{
    const QByteArray before = garbage(5 * 1024 * 1024, 11).replace('\n', ' ').replace('[', '(');
    const QByteArray after = garbage(5 * 1024 * 1024, 12);
    writeFile(path, before + "\n[main]\nsavetype=.gif\n" + after);
    EXPECT_EQ(read(u"savetype"_s), u".gif"_s);
    ASSERT_TRUE(write(u"savetype"_s, u".png"_s));
    EXPECT_EQ(contentOf(path), before + "\n[main]\nsavetype=.png\n" + after);
}
