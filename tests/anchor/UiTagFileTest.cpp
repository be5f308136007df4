#include "UiFormData.h"
#include "support/TempDir.h"

#include "anchor/UiTagFile.h"

#include <gtest/gtest.h>

using tessaly::UiTagFile;

namespace {

UiTagFile parse(const QByteArray &bytes)
{
    QString error;
    std::optional<UiTagFile> file = UiTagFile::fromBytes(bytes, &error);
    EXPECT_TRUE(file) << qPrintable(error);
    return file ? *file : *UiTagFile::fromBytes("<ui/>");
}

QByteArray edited(const UiTagFile &file, const QHash<QString, QString> &tags)
{
    QString error;
    const std::optional<QByteArray> bytes = file.withTags(tags, &error);
    EXPECT_TRUE(bytes) << qPrintable(error);
    return bytes.value_or(QByteArray());
}

QString failure(const UiTagFile &file, const QHash<QString, QString> &tags)
{
    QString error;
    EXPECT_FALSE(file.withTags(tags, &error));
    return error;
}

} // namespace

TEST(UiTagFileRead, FindsTheTagOfEveryNamedObject)
{
    QString error;
    const auto file = UiTagFile::load(formPath("controls.ui"), &error);
    ASSERT_TRUE(file) << qPrintable(error);
    EXPECT_EQ(file->objectNames().front(), QStringLiteral("Form"));
    EXPECT_TRUE(file->contains(QStringLiteral("verticalLayout")));
    EXPECT_EQ(file->tag(QStringLiteral("Command1")), QString());
    EXPECT_EQ(file->tag(QStringLiteral("Text1")), QStringLiteral("TTFF*/"));
    EXPECT_EQ(file->tag(QStringLiteral("Command2")), QStringLiteral("FTTF*/"));
    EXPECT_EQ(file->tag(QStringLiteral("verticalLayout")), QStringLiteral("TTFF*/column"));
    EXPECT_EQ(file->tag(QStringLiteral("Timer1")), QStringLiteral("FFFF*/tick"));
    EXPECT_FALSE(file->tag(QStringLiteral("Check1")));
    EXPECT_FALSE(file->tag(QStringLiteral("Nothing")));

    const auto tagged = UiTagFile::load(formPath("tagged.ui"));
    ASSERT_TRUE(tagged);
    EXPECT_EQ(tagged->tag(QStringLiteral("Label1_0")), QStringLiteral("FTTF*/<first>"));
}

TEST(UiTagFileWrite, ReplacesTheTagTextsAndNothingElse)
{
    const QByteArray original = readBytes(formPath("tagged.ui"));
    const UiTagFile file = parse(original);
    const QByteArray result =
        edited(file, {{QStringLiteral("Command1"), QStringLiteral("TTFF*/")},
                      {QStringLiteral("Text1"), QStringLiteral("TTTF*/url: http://x/*/y")},
                      {QStringLiteral("Label1_0"), QStringLiteral("TTFF*/<first> & co")}});
    EXPECT_NE(result, original);
    EXPECT_EQ(withoutTagStrings(result), withoutTagStrings(original));
    EXPECT_TRUE(
        result.contains("<property name=\"Tag\"><string notr=\"true\">TTFF*/</string></property>"));
    EXPECT_TRUE(result.contains("<string>TTFF*/&lt;first&gt; &amp; co</string>"));
    const UiTagFile back = parse(result);
    EXPECT_EQ(back.tag(QStringLiteral("Label1_0")), QStringLiteral("TTFF*/<first> & co"));
    EXPECT_EQ(back.tag(QStringLiteral("Text1")), QStringLiteral("TTTF*/url: http://x/*/y"));
    EXPECT_EQ(back.tag(QStringLiteral("Label1_1")), QStringLiteral("FTTF*/second"));

    // The same texts again: not a byte moves.
    EXPECT_EQ(edited(back, {{QStringLiteral("Text1"), QStringLiteral("TTTF*/url: http://x/*/y")}}),
              result);
    EXPECT_EQ(edited(back, {}), result);
}

TEST(UiTagFileWrite, AnObjectWithoutATagGetsOneLaidOutLikeItsNeighbours)
{
    const UiTagFile file = parse(readBytes(formPath("controls.ui")));
    const QByteArray result = edited(file, {{QStringLiteral("Check1"), QStringLiteral("TTFF*/")}});
    EXPECT_TRUE(result.contains("  <widget class=\"QCheckBox\" name=\"Check1\">\n"
                                "   <property name=\"Tag\" stdset=\"0\">\n"
                                "    <string>TTFF*/</string>\n"
                                "   </property>\n"
                                "   <property name=\"geometry\">\n"))
        << result.toStdString();
    EXPECT_EQ(parse(result).tag(QStringLiteral("Check1")), QStringLiteral("TTFF*/"));
    // An empty text needs no Tag at all.
    EXPECT_EQ(edited(file, {{QStringLiteral("Check1"), QString()}}), file.bytes());
}

TEST(UiTagFileWrite, EmptyAndOneLineObjectsGetATagToo)
{
    const UiTagFile file = parse("<ui>\n <widget class=\"QWidget\" name=\"Form\">\n"
                                 "  <widget class=\"QLabel\" name=\"a\"/>\n"
                                 "  <widget class=\"QLabel\" name=\"b\">\n  </widget>\n"
                                 "  <x/><widget class=\"QLabel\" name=\"c\"></widget>\n"
                                 " </widget>\n</ui>\n");
    const QByteArray result = edited(file, {{QStringLiteral("a"), QStringLiteral("A")},
                                            {QStringLiteral("b"), QStringLiteral("B")},
                                            {QStringLiteral("c"), QStringLiteral("C")}});
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
                                 " </widget>\n</ui>\n"));
}

TEST(UiTagFileWrite, ByteOrderMarkLineEndsAndOtherTextSurvive)
{
    const QByteArray original = readBytes(formPath("crlf-bom.ui"));
    ASSERT_TRUE(original.startsWith("\xEF\xBB\xBF"));
    const UiTagFile file = parse(original);
    EXPECT_EQ(file.tag(QStringLiteral("Label6")), QStringLiteral("TTFF*/caf\u00e9 & more"));
    const QByteArray result =
        edited(file, {{QStringLiteral("cmdGo"), QStringLiteral("FTTF*/")},
                      {QStringLiteral("Label6"), QStringLiteral("TTTF*/caf\u00e9 & more")}});
    EXPECT_TRUE(result.startsWith("\xEF\xBB\xBF<?xml"));
    EXPECT_EQ(result.count("\n"), result.count("\r\n"));
    EXPECT_TRUE(result.contains("<string>G\xC3\xA5</string>"));
    EXPECT_TRUE(result.contains("<string notr=\"true\">TTTF*/caf\xC3\xA9 &amp; more</string>"));
    EXPECT_TRUE(result.contains("name=\"cmdGo\">\r\n   <property name=\"Tag\" stdset=\"0\">\r\n"
                                "    <string>FTTF*/</string>\r\n   </property>\r\n   <property"));
}

TEST(UiTagFileWrite, RefusesWhatItCannotWriteFaithfully)
{
    const UiTagFile file = parse(readBytes(formPath("controls.ui")));
    EXPECT_FALSE(failure(file, {{QStringLiteral("Missing"), QStringLiteral("TTFF*/")}}).isEmpty());
    EXPECT_FALSE(
        failure(file, {{QStringLiteral("Text1"), QStringLiteral("TTFF*/\x01")}}).isEmpty());

    const UiTagFile odd = parse(
        "<ui><widget class=\"QWidget\" name=\"Form\">"
        "<widget class=\"QLabel\" name=\"twice\"/><widget class=\"QLabel\" name=\"twice\"/>"
        "<widget class=\"QLabel\" name=\"bytes\"><property "
        "name=\"Tag\"><cstring>x</cstring></property></widget>"
        "<widget class=\"QLabel\" name=\"two\"><property name=\"Tag\"><string>a</string></property>"
        "<property name=\"Tag\"><string>b</string></property></widget>"
        "</widget></ui>");
    EXPECT_FALSE(failure(odd, {{QStringLiteral("twice"), QStringLiteral("TTFF*/")}}).isEmpty());
    EXPECT_FALSE(failure(odd, {{QStringLiteral("bytes"), QStringLiteral("TTFF*/")}}).isEmpty());
    EXPECT_FALSE(failure(odd, {{QStringLiteral("two"), QStringLiteral("TTFF*/")}}).isEmpty());
}

TEST(UiTagFileRead, RefusesFilesItCouldNotWriteBackUnchanged)
{
    QString error;
    EXPECT_FALSE(UiTagFile::fromBytes("<ui><widget name=\"a\">\xFF</widget></ui>", &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(
        UiTagFile::fromBytes("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><ui/>", &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(UiTagFile::fromBytes("<ui><widget name=\"a\"></ui>", &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(UiTagFile::load(QStringLiteral("/nonexistent/form.ui"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(UiTagFileSave, WritesAtomicallyAndKeepsTheFilesPermissions)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("form.ui"));
    ASSERT_TRUE(UiTagFile::save(path, "<ui/>\n"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    ASSERT_TRUE(UiTagFile::save(path, "<ui></ui>\n"));
    EXPECT_EQ(readBytes(path), QByteArray("<ui></ui>\n"));
    const QFile::Permissions ownerGroupOther(0x7077);
    EXPECT_EQ(QFile::permissions(path) & ownerGroupOther,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);

    QString error;
    EXPECT_FALSE(UiTagFile::save(dir.file(QStringLiteral("missing/form.ui")), "<ui/>", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readBytes(path), QByteArray("<ui></ui>\n"));
}
