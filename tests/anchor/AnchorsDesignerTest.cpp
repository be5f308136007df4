#include "PageHelpers.h"
#include "UiFormData.h"
#include "support/TempDir.h"

#include "anchor/AnchorsDesigner.h"
#include "anchor/UiTagFile.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUiLoader>

#include <gtest/gtest.h>

#include <memory>

using tessaly::AnchorsDesigner;
using tessaly::UiTagFile;

namespace {

// A copy of a form from tests/data/anchor opened in the designer.
class DesignerTest : public ::testing::Test
{
protected:
    void open(const char *form)
    {
        path = dir.file(QString::fromLatin1(form));
        ASSERT_TRUE(QFile::copy(formPath(form), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        original = readBytes(path);
        QString error;
        ASSERT_TRUE(designer.load(path, &error)) << qPrintable(error);
        designer.show();
    }
    tessaly::ppAnchors &page() { return *designer.page(); }
    void apply()
    {
        QString error;
        ASSERT_TRUE(designer.apply(&error)) << qPrintable(error);
    }
    // The Tag of `name` as the saved file has it.
    QString saved(const char *name)
    {
        const auto file = UiTagFile::load(path);
        return file ? file->tag(QString::fromLatin1(name)).value_or(QStringLiteral("<none>"))
                    : QStringLiteral("<unreadable>");
    }

    TempDir dir;
    QString path;
    QByteArray original;
    AnchorsDesigner designer;
};

} // namespace

TEST_F(DesignerTest, AnEmptyTagOpensAsTheDefaultWithLeftAndTopBlackAndIsSavedSo)
{
    open("controls.ui");
    ASSERT_EQ(page().lstCtrls()->currentItem()->text(), QStringLiteral("Command1"));
    EXPECT_EQ(bars(page()), QStringLiteral("TTFF"));
    EXPECT_TRUE(designer.hasUnsavedTags());
    EXPECT_TRUE(designer.applyButton()->isEnabled());
    EXPECT_EQ(readBytes(path), original); // nothing is written before Apply

    QTest::mouseClick(designer.applyButton(), Qt::LeftButton);
    EXPECT_EQ(saved("Command1"), QStringLiteral("TTFF*/"));
    EXPECT_EQ(saved("Check1"), QStringLiteral("TTFF*/")); // had no Tag at all
    EXPECT_FALSE(designer.applyButton()->isEnabled());

    // The saved form loads with the new tags.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QUiLoader loader;
    std::unique_ptr<QWidget> form(loader.load(&file));
    ASSERT_TRUE(form);
    EXPECT_EQ(form->findChild<QObject *>(QStringLiteral("Check1"))->property("Tag").toString(),
              QStringLiteral("TTFF*/"));
}

TEST_F(DesignerTest, TogglingTheRightBarAndApplyingSavesTTTF)
{
    open("controls.ui");
    ASSERT_TRUE(select(page(), QStringLiteral("Text1")));
    QTest::mouseClick(page().lblSides(2), Qt::LeftButton);
    EXPECT_TRUE(designer.applyButton()->isEnabled());
    apply();
    EXPECT_EQ(saved("Text1"), QStringLiteral("TTTF*/"));
    EXPECT_EQ(saved("Label1"), QStringLiteral("TTFF*/"));
}

TEST_F(DesignerTest, ArrayMembersAreSelectedByTheirIndexOnly)
{
    open("controls.ui");
    ASSERT_TRUE(select(page(), QStringLiteral("Option1(2)")));
    page().lblSides_Click(3);
    apply();
    EXPECT_EQ(saved("Option1_2"), QStringLiteral("TTFT*/c"));
    EXPECT_EQ(saved("Option1_0"), QStringLiteral("TTFF*/a"));
    EXPECT_EQ(saved("Option1_1"), QStringLiteral("TTFF*/b"));
}

TEST_F(DesignerTest, Label11IsNotLabel1)
{
    open("controls.ui");
    ASSERT_TRUE(select(page(), QStringLiteral("Label11")));
    page().lblSides_Click(2);
    apply();
    EXPECT_EQ(saved("Label11"), QStringLiteral("TTTF*/"));
    EXPECT_EQ(saved("Label1"), QStringLiteral("TTFF*/"));
}

TEST_F(DesignerTest, ObjectsThatCannotBeAnchoredAreNotListedAndLoseTheirPrefix)
{
    open("controls.ui");
    EXPECT_EQ(entries(page()),
              (QStringList{QStringLiteral("Command1"), QStringLiteral("Text1"),
                           QStringLiteral("Option1(0)"), QStringLiteral("Option1(1)"),
                           QStringLiteral("Option1(2)"), QStringLiteral("Label1"),
                           QStringLiteral("Label11"), QStringLiteral("Frame1"),
                           QStringLiteral("Command2"), QStringLiteral("Check1"),
                           QStringLiteral("Group1"), QStringLiteral("Label2")}));
    apply();
    EXPECT_EQ(saved("Timer1"), QStringLiteral("tick"));
    EXPECT_EQ(saved("verticalLayout"), QStringLiteral("column"));
}

TEST_F(DesignerTest, ApplyingTwiceWithoutTogglingChangesNothing)
{
    open("controls.ui");
    ASSERT_TRUE(select(page(), QStringLiteral("Command2")));
    page().lblSides_Click(0);
    apply();
    const QByteArray once = readBytes(path);
    EXPECT_EQ(saved("Command2"), QStringLiteral("TTTF*/"));
    apply();
    EXPECT_EQ(readBytes(path), once);
    // Toggling a bar there and back is no change either.
    page().lblSides_Click(1);
    page().lblSides_Click(1);
    apply();
    EXPECT_EQ(readBytes(path), once);
}

TEST_F(DesignerTest, TheSavedFormDiffersFromTheOriginalOnlyInTagStrings)
{
    open("tagged.ui");
    EXPECT_EQ(entries(page()),
              (QStringList{QStringLiteral("Command1"), QStringLiteral("Text1"),
                           QStringLiteral("Label1(0)"), QStringLiteral("Label1(1)"),
                           QStringLiteral("Label11")}));
    ASSERT_TRUE(select(page(), QStringLiteral("Label1(1)")));
    EXPECT_EQ(bars(page()), QStringLiteral("FTTF"));
    page().lblSides_Click(0);
    apply();
    const QByteArray result = readBytes(path);
    EXPECT_NE(result, original);
    EXPECT_EQ(withoutTagStrings(result), withoutTagStrings(original));
    EXPECT_EQ(saved("Label1_1"), QStringLiteral("TTTF*/second"));
    EXPECT_EQ(saved("Label1_0"), QStringLiteral("FTTF*/<first>"));
    EXPECT_EQ(saved("Command1"), QStringLiteral("TTFF*/"));
    EXPECT_EQ(saved("Text1"), QStringLiteral("TTFF*/url: http://x/*/y"));
    EXPECT_EQ(QFile::permissions(path) & QFile::Permissions(0x7077),
              QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(DesignerTest, LineEndsAndByteOrderMarkOfTheFormAreKept)
{
    open("crlf-bom.ui");
    apply();
    const QByteArray result = readBytes(path);
    EXPECT_TRUE(result.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(result.count("\n"), result.count("\r\n"));
    EXPECT_EQ(saved("cmdGo"), QStringLiteral("TTFF*/"));
    EXPECT_EQ(saved("Label6"), QStringLiteral("TTFF*/caf\u00e9 & more"));
}

TEST_F(DesignerTest, AFormChangedOnDiskIsNotOverwritten)
{
    open("controls.ui");
    const QByteArray theirs = original + "<!-- saved by another editor -->\n";
    ASSERT_TRUE(UiTagFile::save(path, theirs));
    page().lblSides_Click(2);
    QString error;
    EXPECT_FALSE(designer.apply(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("changed on disk"))) << qPrintable(error);
    EXPECT_EQ(readBytes(path), theirs);
}

TEST_F(DesignerTest, OkAppliesAndCloses)
{
    open("controls.ui");
    page().lblSides_Click(3);
    QTest::mouseClick(designer.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
    EXPECT_EQ(designer.result(), QDialog::Accepted);
    EXPECT_EQ(saved("Command1"), QStringLiteral("TTFT*/"));
}

TEST(Designer, AFileThatIsNotAFormIsRefused)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("broken.ui"));
    ASSERT_TRUE(UiTagFile::save(path, "<ui><widget class=\"QWidget\" name=\"Form\">"));
    AnchorsDesigner designer;
    QString error;
    EXPECT_FALSE(designer.load(path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(designer.apply(&error));
}

// The program's own windows are forms the page edits: every control is listed with the tag
// its form gives, and one toggle changes that one Tag string and nothing else.
TEST(Designer, TheProgramsOwnFormsOpenAndChangeOnlyTheToggledTag)
{
    for (const char *form : {"browser/FrmBrowser.ui", "settings/FrmMain.ui"}) {
        SCOPED_TRACE(form);
        TempDir dir;
        const QString path = dir.file(QStringLiteral("form.ui"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TESSALY_SOURCE_DIR "/") + QLatin1String(form), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        AnchorsDesigner designer;
        QString error;
        ASSERT_TRUE(designer.load(path, &error)) << qPrintable(error);
        designer.show();
        ASSERT_TRUE(designer.apply(&error)) << qPrintable(error); // empty tags get the default
        const QByteArray before = readBytes(path);
        ASSERT_TRUE(select(*designer.page(), QStringLiteral("Command1")));
        const QString bars0 = bars(*designer.page());
        designer.page()->lblSides_Click(2);
        ASSERT_TRUE(designer.apply(&error)) << qPrintable(error);
        const QByteArray after = readBytes(path);
        EXPECT_NE(after, before);
        EXPECT_EQ(withoutTagStrings(after), withoutTagStrings(before));
        const auto file = UiTagFile::load(path);
        ASSERT_TRUE(file);
        QString flipped = bars0;
        flipped[2] = bars0[2] == u'T' ? u'F' : u'T';
        EXPECT_TRUE(file->tag(QStringLiteral("Command1")).value_or(QString()).startsWith(flipped + QStringLiteral("*/")));
    }
}
