// The folder browser: the plain dialog, the helper window over it, "Create" and the
// include-subfolders box.
#include "dialogs/BFFC.h"
#include "dialogs/FolderDialog.h"
#include "dialogs/frmButton.h"

#include "support/DialogSteps.h"
#include "support/TempDir.h"
#include "support/TestWindowManager.h"

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;
using namespace dialogsteps;

namespace {

// The window manager maps and moves the helper a little after the toolkit asks. It belongs
// 16 pixels in from the left edge of the frame the window manager really draws, level with OK.
bool helperPlaced(FolderDialog *dialog)
{
    if (!dialog || !dialog->isInitialized() || !helperOf(dialog)->isVisible())
        return false;
    const int okTop = TestWindowManager::originOf(*dialog).y() +
                      dialog->okButton()->mapTo(dialog, QPoint(0, 0)).y();
    return TestWindowManager::originOf(*helperOf(dialog)) ==
           QPoint(TestWindowManager::frameOf(*dialog).left() + 16, okTop);
}

// Presses the helper's Create once a dialog other than `dialog` and its helper are up;
// `dialog` gets the dialog.
ModalDriver::Step pressCreate(QPointer<FolderDialog> *dialog = nullptr)
{
    return onFolderDialog([](FolderDialog *d) { clickLater(helperOf(d)->command1()); }, dialog,
                          true);
}

class FolderBrowser : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data = dir.file(u"Data"_s);
        ASSERT_TRUE(QDir().mkpath(data));
        browser.setInitDir(data);
    }

    TempDir dir;
    QString data;
    BFFC browser;
};

} // namespace

TEST_F(FolderBrowser, TheHelpersCreateFollowsTheDialogTakesANameMakesTheFolderAndReopensWhereItWas)
{
    browser.setShowCreate(true);
    QRect framed, movedTo, reopenedAt;
    QPointer<FolderDialog> first;
    QString caption, prompt;
    ModalDriver driver;
    // A helper that never gets level with OK fails the step.
    driver.then([&] {
        FolderDialog *d = ModalDriver::modal<FolderDialog>();
        if (!helperPlaced(d))
            return false;
        framed = TestWindowManager::frameOf(*d);
        EXPECT_EQ(helperOf(d)->size(), QSize(75, 24));
        EXPECT_TRUE(helperOf(d)->command1()->isVisible());
        EXPECT_FALSE(helperOf(d)->check1()->isVisible());
        d->move(d->pos() + QPoint(40, 30));
        return true;
    });
    driver.then([&] {
        FolderDialog *d = ModalDriver::modal<FolderDialog>();
        if (!helperPlaced(d) || TestWindowManager::frameOf(*d).topLeft() == framed.topLeft())
            return false; // the move, or the helper following it, has not come yet
        movedTo = TestWindowManager::frameOf(*d);
        first = d;
        clickLater(helperOf(d)->command1());
        return true;
    });
    // An empty or cancelled name leaves the dialog open for the next try.
    driver.then(typeFolderName(QString()));
    driver.then(pressCreate());
    driver.then(typeFolderName(u"Ignored"_s, false));
    driver.then(pressCreate());
    driver.then(typeFolderName(u"New"_s, true, &caption, &prompt));
    driver.then([&] {
        FolderDialog *d = first ? nullptr : ModalDriver::modal<FolderDialog>();
        if (!helperPlaced(d))
            return false; // the first dialog has not closed, or this one is not placed yet
        EXPECT_EQ(d->selectedPath(), data + u"/New"_s);
        reopenedAt = TestWindowManager::frameOf(*d);
        d->okButton()->click();
        return true;
    });
    EXPECT_EQ(browser.SaveBrowse(), data + u"/New"_s);
    // A title bar above the dialog: the frame is the window manager's own.
    EXPECT_GT(framed.height(), 420);
    EXPECT_EQ(caption, u"Create Folder"_s);
    EXPECT_EQ(prompt, u"Enter a name for your new folder"_s);
    EXPECT_EQ(QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"New"_s});
    // Where the user had it, and no larger.
    EXPECT_EQ(reopenedAt, movedTo);
}

TEST_F(FolderBrowser, ANameThatCannotBeMadeIsRefusedWithWhyAndTheDialogReopensOnTheSelection)
{
    ASSERT_TRUE(QDir().mkpath(data + u"/New"_s));
    browser.setShowCreate(true);
    struct Case
    {
        QString name;
        bool accept; // OK or Cancel in the reopened dialog
        QString text;
        bool exact; // or the system's words, containing `text`
    };
    const Case cases[] = {
        {u"New"_s, false, u"A Folder of that name already exists.\nPlease enter a different name"_s,
         true},
        {QString(300, u'n'), true, u"too long"_s, false},
        {u"one/two"_s, false,
         u"The folder "_s + data +
             u"/one/two cannot be created.\nA folder name cannot contain \"/\"."_s,
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.left(10).toStdString());
        QPointer<FolderDialog> first;
        QString text, caption;
        ModalDriver driver;
        driver.then(pressCreate(&first));
        driver.then(typeFolderName(c.name));
        driver.then(closeMessage(&text, &caption));
        driver.then(onFolderDialog(
            [&](FolderDialog *d) {
                EXPECT_EQ(d->selectedPath(), data);
                (c.accept ? d->okButton() : d->cancelButton())->click();
            },
            &first));
        EXPECT_EQ(browser.SaveBrowse(), c.accept ? data : QString());
        EXPECT_TRUE(c.exact ? text == c.text : text.contains(c.text, Qt::CaseInsensitive))
            << text.toStdString();
        EXPECT_EQ(caption, u"Quillmark Folder Browser"_s);
        EXPECT_EQ(QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{u"New"_s}); // nothing else was made
    }
}

TEST_F(FolderBrowser, TheIncludeSubfoldersAnswerLastsUntilTheNextBrowseAPlainOne)
{
    browser.setShowRecurse(true);
    ModalDriver driver;
    driver.then(onFolderDialog(
        [](FolderDialog *d) {
            frmButton *helper = helperOf(d);
            EXPECT_FALSE(helper->command1()->isVisible());
            EXPECT_EQ(helper->check1()->text(), u"    INCLUDE SUBFOLDERS"_s);
            QTest::mouseClick(helper->check1(), Qt::LeftButton);
            d->cancelButton()->click(); // a cancel still reports the box
        },
        nullptr, true));
    EXPECT_EQ(browser.OpenBrowse(), QString());
    EXPECT_TRUE(browser.DoRecurse());

    // The next browse, a plain one, starts unchecked and shows its defaults and no helper.
    driver.then(onFolderDialog([this](FolderDialog *d) {
        EXPECT_EQ(d->titleText(), u"Select a Folder"_s);
        EXPECT_EQ(d->windowTitle(), u"Browse for Folder"_s);
        EXPECT_EQ(d->selectedPath(), data);
        EXPECT_EQ(d->statusText(), data);
        frmButton *helper = helperOf(d);
        EXPECT_FALSE(helper && (helper->isVisible() || helper->timer1().isActive()));
        d->okButton()->click();
    }));
    EXPECT_EQ(browser.SaveBrowse(), data);
    EXPECT_FALSE(browser.DoRecurse());

    SCOPED_TRACE("Cancel in a plain dialog with a title and no folder");
    browser.setShowRecurse(false);
    browser.setInitDir(QString());
    browser.setTitle(u"Save Files To"_s);
    driver.then(onFolderDialog([](FolderDialog *d) {
        EXPECT_EQ(d->titleText(), u"Save Files To"_s);
        EXPECT_EQ(d->selectedPath(), u"/"_s);
        d->cancelButton()->click();
    }));
    EXPECT_EQ(browser.OpenBrowse(), QString());
}
