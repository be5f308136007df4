#include "UiFormData.h"
#include "support/TempDir.h"

#include "anchor/UiTagFile.h"

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;

namespace {

UiTagFile parse(const QByteArray &bytes)
{
    const Result<UiTagFile> file = UiTagFile::fromBytes(bytes);
    EXPECT_TRUE(file) << qPrintable(file.error());
    return file ? *file : *UiTagFile::fromBytes("<ui/>");
}

QByteArray edited(const UiTagFile &file, const QHash<QString, QString> &tags)
{
    const Result<QByteArray> bytes = file.withTags(tags);
    EXPECT_TRUE(bytes) << qPrintable(bytes.error());
    return bytes ? *bytes : QByteArray();
}

} // namespace

TEST(UiTagFileRead, FindsTheTagOfEveryNamedObject)
{
    const auto file = UiTagFile::load(formPath("controls.ui"));
    ASSERT_TRUE(file) << qPrintable(file.error());
    EXPECT_EQ(file->objectNames().front(), u"Form"_s);
    EXPECT_EQ(file->tag(u"Command1"_s), QString());
    EXPECT_EQ(file->tag(u"Text1"_s), u"TTFF*/"_s);
    EXPECT_EQ(file->tag(u"Command2"_s), u"FTTF*/"_s);
    EXPECT_EQ(file->tag(u"verticalLayout"_s), u"TTFF*/column"_s);
    EXPECT_EQ(file->tag(u"Timer1"_s), u"FFFF*/tick"_s);
    EXPECT_FALSE(file->tag(u"Check1"_s));
    EXPECT_FALSE(file->tag(u"Nothing"_s));
}

TEST(UiTagFileWrite, ReplacesTheTagTextsAndNothingElse)
{
    const QByteArray original = contentOf(formPath("tagged.ui"));
    const UiTagFile file = parse(original);
    const QByteArray result = edited(file, {{u"Command1"_s, u"TTFF*/"_s},
                                            {u"Text1"_s, u"TTTF*/url: http://x/*/y"_s},
                                            {u"Label1_0"_s, u"TTFF*/<first> & co"_s}});
    EXPECT_EQ(withoutTagStrings(result), withoutTagStrings(original));
    const UiTagFile back = parse(result);
    EXPECT_EQ(back.tag(u"Command1"_s), u"TTFF*/"_s);
    EXPECT_EQ(back.tag(u"Label1_0"_s), u"TTFF*/<first> & co"_s);
    EXPECT_EQ(back.tag(u"Text1"_s), u"TTTF*/url: http://x/*/y"_s);
    EXPECT_EQ(back.tag(u"Label1_1"_s), u"FTTF*/second"_s);

    // The same texts again: not a byte moves.
    EXPECT_EQ(edited(back, {{u"Text1"_s, u"TTTF*/url: http://x/*/y"_s}}), result);
}

TEST(UiTagFileWrite, AnObjectWithoutATagGetsOneLaidOutLikeItsNeighbours)
{
    // Empty, one-line and on-one-line-with-others objects, and one with children.
    const UiTagFile file = parse("<ui>\n <widget class=\"QWidget\" name=\"Form\">\n"
                                 "  <widget class=\"QLabel\" name=\"a\"/>\n"
                                 "  <widget class=\"QLabel\" name=\"b\">\n  </widget>\n"
                                 "  <x/><widget class=\"QLabel\" name=\"c\"></widget>\n"
                                 "  <widget class=\"QLabel\" name=\"d\">\n"
                                 "   <property name=\"text\"/>\n  </widget>\n"
                                 " </widget>\n</ui>\n");
    const QByteArray result =
        edited(file, {{u"a"_s, u"A"_s}, {u"b"_s, u"B"_s}, {u"c"_s, u"C"_s}, {u"d"_s, u"D"_s}});
    EXPECT_EQ(result, QByteArray("<ui>\n <widget class=\"QWidget\" name=\"Form\">\n"
                                 "  <widget class=\"QLabel\" name=\"a\">\n"
                                 "   <property name=\"Tag\" stdset=\"0\">\n"
                                 "    <string>A</string>\n"
                                 "   </property>\n"
                                 "  </widget>\n"
                                 "  <widget class=\"QLabel\" name=\"b\">\n"
                                 "   <property name=\"Tag\" stdset=\"0\">\n"
                                 "    <string>B</string>\n"
                                 "   </property>\n"
                                 "  </widget>\n"
                                 "  <x/><widget class=\"QLabel\" name=\"c\"><property name=\"Tag\" "
                                 "stdset=\"0\"><string>C</string></property></widget>\n"
                                 "  <widget class=\"QLabel\" name=\"d\">\n"
                                 "   <property name=\"Tag\" stdset=\"0\">\n"
                                 "    <string>D</string>\n"
                                 "   </property>\n"
                                 "   <property name=\"text\"/>\n"
                                 "  </widget>\n"
                                 " </widget>\n</ui>\n"));
    // An empty text needs no Tag at all.
    EXPECT_EQ(edited(file, {{u"d"_s, QString()}}), file.bytes());
}

TEST(UiTagFileWrite, ByteOrderMarkLineEndsAndOtherTextSurvive)
{
    const UiTagFile file = parse(contentOf(formPath("crlf-bom.ui")));
    EXPECT_EQ(file.tag(u"Label6"_s), u"TTFF*/caf\u00e9 & more"_s);
    const QByteArray result =
        edited(file, {{u"cmdGo"_s, u"FTTF*/"_s}, {u"Label6"_s, u"TTTF*/caf\u00e9 & more"_s}});
    EXPECT_TRUE(result.startsWith("\xEF\xBB\xBF<?xml"));
    EXPECT_EQ(result.count("\n"), result.count("\r\n"));
    EXPECT_TRUE(result.contains("<string>G\xC3\xA5</string>"));
    EXPECT_TRUE(result.contains("<string notr=\"true\">TTTF*/caf\xC3\xA9 &amp; more</string>"));
    EXPECT_TRUE(result.contains("name=\"cmdGo\">\r\n   <property name=\"Tag\" stdset=\"0\">\r\n"
                                "    <string>FTTF*/</string>\r\n   </property>\r\n   <property"));
}

TEST(UiTagFileWrite, RefusesWhatItCannotWriteFaithfully)
{
    const UiTagFile file = parse(contentOf(formPath("controls.ui")));
    EXPECT_FALSE(file.withTags({{u"Missing"_s, u"TTFF*/"_s}}));
    EXPECT_FALSE(file.withTags({{u"Text1"_s, u"TTFF*/\x01"_s}}));

    // A name given twice, a Tag held as bytes, and two Tags on one object.
    const UiTagFile odd = parse(
        "<ui><widget class=\"QWidget\" name=\"Form\">"
        "<widget class=\"QLabel\" name=\"twice\"/><widget class=\"QLabel\" name=\"twice\"/>"
        "<widget class=\"QLabel\" name=\"bytes\"><property "
        "name=\"Tag\"><cstring>x</cstring></property></widget>"
        "<widget class=\"QLabel\" name=\"two\"><property name=\"Tag\"><string>a</string></property>"
        "<property name=\"Tag\"><string>b</string></property></widget>"
        "</widget></ui>");
    for (const QString &name : {u"twice"_s, u"bytes"_s, u"two"_s})
        EXPECT_FALSE(odd.withTags({{name, u"TTFF*/"_s}})) << name.toStdString();
}

TEST(UiTagFileRead, RefusesFilesItCouldNotWriteBackUnchanged)
{
    // Not UTF-8, declared in another encoding, not well-formed.
    for (const QByteArray &bytes :
         {QByteArray("<ui><widget name=\"a\">\xFF</widget></ui>"),
          QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><ui/>"),
          QByteArray("<ui><widget name=\"a\"></ui>")})
        EXPECT_FALSE(UiTagFile::fromBytes(bytes)) << bytes.toStdString();
    EXPECT_FALSE(UiTagFile::load(u"/nonexistent/form.ui"_s));
}

TEST(UiTagFileSave, WritesAtomicallyAndKeepsTheFilesPermissions)
{
    TempDir dir;
    const QString path = dir.file(u"form.ui"_s);
    ASSERT_TRUE(UiTagFile::save(path, "<ui/>\n"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    ASSERT_TRUE(UiTagFile::save(path, "<ui></ui>\n"));
    EXPECT_EQ(contentOf(path), QByteArray("<ui></ui>\n"));
    EXPECT_EQ(QFile::permissions(path) & QFile::Permissions(0x7077),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);

    EXPECT_FALSE(UiTagFile::save(dir.file(u"missing/form.ui"_s), "<ui/>"));
    EXPECT_EQ(contentOf(path), QByteArray("<ui></ui>\n"));
}
