#include "PageHelpers.h"
#include "UiFormData.h"
#include "support/TempDir.h"

#include "anchor/AnchorsDesigner.h"
#include "anchor/UiTagFile.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;

namespace {

// A writable copy of a form opened in the designer.
class DesignerTest : public ::testing::Test
{
protected:
    void open(const QString &form)
    {
        path = dir.file(QFileInfo(form).fileName());
        ASSERT_TRUE(QFile::copy(form, path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        const Result<void> loaded = designer.load(path);
        ASSERT_TRUE(loaded) << qPrintable(loaded.error());
        designer.show();
        original = contentOf(path);
    }
    ppAnchors &page() { return *designer.page(); }
    void apply()
    {
        const Result<void> applied = designer.apply();
        ASSERT_TRUE(applied) << qPrintable(applied.error());
    }
    // The Tag of `name` as the saved file has it.
    QString saved(const char *name)
    {
        const auto file = UiTagFile::load(path);
        return file ? file->tag(QString::fromLatin1(name)).value_or(u"<none>"_s)
                    : u"<unreadable>"_s;
    }

    TempDir dir;
    QString path;
    QByteArray original;
    AnchorsDesigner designer;
};

} // namespace

// What the page does to a tag is ppAnchorsTest's and how a form file is edited is
// UiTagFileTest's; here the designer's own part: which tags it writes back, and when.
TEST_F(DesignerTest, ApplyWritesTheTagsThePageChangedOnceAndOkAppliesTheLastToggle)
{
    open(formPath("controls.ui"));
    EXPECT_TRUE(designer.applyButton()->isEnabled()); // Command1's empty tag got the default
    EXPECT_EQ(contentOf(path), original);             // nothing is written before Apply
    ASSERT_TRUE(select(page(), u"Option1(2)"_s));
    QTest::mouseClick(page().lblSides(3), Qt::LeftButton);

    QTest::mouseClick(designer.applyButton(), Qt::LeftButton);
    EXPECT_FALSE(designer.applyButton()->isEnabled());
    EXPECT_EQ(saved("Command1"), u"TTFF*/"_s);
    EXPECT_EQ(saved("Check1"), u"TTFF*/"_s); // had no Tag at all
    EXPECT_EQ(saved("Option1_2"), u"TTFT*/c"_s);
    EXPECT_EQ(saved("Timer1"), u"tick"_s); // cannot be anchored: loses its prefix

    // Applying again, or after toggling a bar there and back, changes nothing.
    const QByteArray once = contentOf(path);
    apply();
    page().lblSides_Click(1);
    page().lblSides_Click(1);
    apply();
    EXPECT_EQ(contentOf(path), once);

    page().lblSides_Click(2);
    QTest::mouseClick(designer.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
    EXPECT_EQ(designer.result(), QDialog::Accepted);
    EXPECT_EQ(saved("Option1_2"), u"TTTT*/c"_s);
}

TEST_F(DesignerTest, AFormChangedOnDiskIsNotOverwrittenAndAFileThatIsNotAFormIsRefused)
{
    open(formPath("controls.ui"));
    const QByteArray theirs = original + "<!-- saved by another editor -->\n";
    ASSERT_TRUE(UiTagFile::save(path, theirs));
    page().lblSides_Click(2);
    const Result<void> applied = designer.apply();
    EXPECT_TRUE(applied.error().contains(u"changed on disk"_s)) << qPrintable(applied.error());
    EXPECT_EQ(contentOf(path), theirs);

    ASSERT_TRUE(UiTagFile::save(path, "<ui><widget class=\"QWidget\" name=\"Form\">"));
    AnchorsDesigner other;
    EXPECT_FALSE(other.load(path));
    EXPECT_FALSE(other.apply());
}

// The program's own windows open, and an edit changes their Tag strings and nothing else.
TEST_F(DesignerTest, TheProgramsOwnFormsChangeOnlyInTheirTags)
{
    for (const char *form : {"browser/FrmBrowser.ui", "settingswindow/FrmMain.ui"}) {
        SCOPED_TRACE(form);
        ASSERT_NO_FATAL_FAILURE(open(QStringLiteral(TESSALY_SOURCE_DIR "/") + QLatin1String(form)));
        ASSERT_TRUE(select(page(), u"Command1"_s));
        page().lblSides_Click(2);
        apply();
        EXPECT_EQ(withoutTagStrings(contentOf(path)), withoutTagStrings(original));
        EXPECT_TRUE(saved("Command1").startsWith(bars(page()) + u"*/"_s))
            << qPrintable(saved("Command1"));
    }
}
