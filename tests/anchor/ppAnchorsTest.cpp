#include "AnchorRig.h"
#include "PageHelpers.h"

#include "anchor/ControlName.h"
#include "anchor/HostControls.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

using tessaly::ppAnchors;

namespace {

// A window whose named controls the page edits, at 15 twips per pixel.
struct PageRig
{
    QWidget window;

    QWidget *add(const QString &name, const QString &tag, QWidget *parent = nullptr)
    {
        auto *w = new QPushButton(parent ? parent : &window);
        w->setObjectName(name);
        if (!tag.isNull())
            w->setProperty("Tag", tag);
        return w;
    }
    ppAnchors &open()
    {
        page = std::make_unique<ppAnchors>(tessaly::namedControls(&window),
                                           tessaly::TwipsScale{15, 15});
        page->show();
        return *page;
    }
    std::unique_ptr<ppAnchors> page;
};

} // namespace

TEST(ppAnchorsLayout, ThePageKeepsItsTwipsGeometry)
{
    PageRig rig;
    ppAnchors &page = rig.open();
    EXPECT_EQ(page.windowTitle(), QStringLiteral("Anchors"));
    EXPECT_EQ(page.size(), QSize(363, 196));
    EXPECT_EQ(page.lblTitle()->text(),
              QStringLiteral("Select an object, set anchors and then click Apply"));
    EXPECT_EQ(page.lblTitle()->geometry(), QRect(8, 12, 349, 17));
    EXPECT_EQ(page.lstCtrls()->geometry(), QRect(8, 36, 159, 147));
    EXPECT_EQ(page.picFrame()->geometry(), QRect(178, 36, 179, 147));
    // Inside the frame, from within its border.
    const QPoint inside = page.picFrame()->contentsRect().topLeft();
    auto inFrame = [&](const QWidget *w) {
        return QRect(w->mapTo(page.picFrame(), QPoint(0, 0)) - inside, w->size());
    };
    EXPECT_EQ(inFrame(page.cmdObject()), QRect(60, 48, 53, 49));
    EXPECT_EQ(inFrame(page.lblSides(0)), QRect(6, 66, 49, 19));
    EXPECT_EQ(inFrame(page.lblSides(1)), QRect(78, 6, 19, 39));
    EXPECT_EQ(inFrame(page.lblSides(2)), QRect(116, 68, 51, 19));
    EXPECT_EQ(inFrame(page.lblSides(3)), QRect(78, 100, 19, 39));

    ppAnchors fine({}, tessaly::TwipsScale{12, 12});
    EXPECT_EQ(fine.lstCtrls()->geometry(), QRect(10, 45, 199, 184));
}

TEST(ppAnchorsLayout, BarsStartWhiteAndNothingIsChanged)
{
    PageRig rig;
    ppAnchors &page = rig.open();
    EXPECT_EQ(bars(page), QStringLiteral("FFFF"));
    EXPECT_FALSE(page.Changed());
    EXPECT_EQ(page.lstCtrls()->count(), 0);
}

TEST(ppAnchorsEditing, AnEmptyTagGetsTheDefaultPrefixShownAsLeftAndTop)
{
    PageRig rig;
    QWidget *command1 = rig.add(QStringLiteral("Command1"), QString());
    QWidget *info = rig.add(QStringLiteral("Command2"), QStringLiteral("Info"));
    ppAnchors &page = rig.open();
    EXPECT_EQ(tagText(command1), QStringLiteral("TTFF*/"));
    EXPECT_EQ(tagText(info), QStringLiteral("TTFF*/Info"));
    EXPECT_EQ(page.lstCtrls()->currentRow(), 0);
    EXPECT_EQ(bars(page), QStringLiteral("TTFF"));
    EXPECT_EQ(page.sideColour(0), 0);
    EXPECT_EQ(page.sideColour(2), 0xFFFFFF);
}

TEST(ppAnchorsEditing, ClickingTheRightBarAndApplyingAnchorsTheRightEdge)
{
    PageRig rig;
    QWidget *text1 = rig.add(QStringLiteral("Text1"), QStringLiteral("TTFF*/"));
    ppAnchors &page = rig.open();
    QSignalSpy changed(&page, &ppAnchors::changedChanged);
    QTest::mouseClick(page.lblSides(2), Qt::LeftButton);
    EXPECT_EQ(bars(page), QStringLiteral("TTTF"));
    EXPECT_TRUE(page.Changed());
    EXPECT_EQ(tagText(text1), QStringLiteral("TTFF*/")); // not before Apply
    page.PropertyPage_ApplyChanges();
    EXPECT_EQ(tagText(text1), QStringLiteral("TTTF*/"));
    EXPECT_FALSE(page.Changed());
    ASSERT_EQ(changed.count(), 2);

    // And back: a second click frees the edge again.
    page.lblSides_Click(2);
    page.PropertyPage_ApplyChanges();
    EXPECT_EQ(tagText(text1), QStringLiteral("TTFF*/"));
}

TEST(ppAnchorsEditing, EachEntryShowsItsOwnControlsEdges)
{
    PageRig rig;
    rig.add(QStringLiteral("Command1"), QStringLiteral("TTFF*/"));
    rig.add(QStringLiteral("cmdGo"), QStringLiteral("FTTF*/go"));
    rig.add(QStringLiteral("StatusBar1"), QStringLiteral("TFTT*/"));
    ppAnchors &page = rig.open();
    ASSERT_TRUE(select(page, QStringLiteral("cmdGo")));
    EXPECT_EQ(bars(page), QStringLiteral("FTTF"));
    ASSERT_TRUE(select(page, QStringLiteral("StatusBar1")));
    EXPECT_EQ(bars(page), QStringLiteral("TFTT"));
}

TEST(ppAnchorsSelection, ArrayMembersAreListedAndSelectedByIndexOnly)
{
    PageRig rig;
    QWidget *text1 = rig.add(QStringLiteral("Text1"), QStringLiteral("TTFF*/t"));
    QWidget *option0 = rig.add(QStringLiteral("Option1_0"), QStringLiteral("TTFF*/a"));
    QWidget *option1 = rig.add(QStringLiteral("Option1_1"), QStringLiteral("TTFF*/b"));
    QWidget *option2 = rig.add(QStringLiteral("Option1_2"), QStringLiteral("TTFF*/c"));
    ppAnchors &page = rig.open();
    EXPECT_EQ(entries(page),
              (QStringList{QStringLiteral("Text1"), QStringLiteral("Option1(0)"),
                           QStringLiteral("Option1(1)"), QStringLiteral("Option1(2)")}));

    ASSERT_TRUE(select(page, QStringLiteral("Option1(2)")));
    page.lblSides_Click(3);
    page.PropertyPage_ApplyChanges();
    EXPECT_EQ(tagText(option2), QStringLiteral("TTFT*/c"));
    EXPECT_EQ(tagText(option0), QStringLiteral("TTFF*/a"));
    EXPECT_EQ(tagText(option1), QStringLiteral("TTFF*/b"));
    EXPECT_EQ(tagText(text1), QStringLiteral("TTFF*/t"));

    ASSERT_TRUE(select(page, QStringLiteral("Text1")));
    page.lblSides_Click(0);
    page.PropertyPage_ApplyChanges();
    EXPECT_EQ(tagText(text1), QStringLiteral("FTFF*/t"));
    EXPECT_EQ(tagText(option0), QStringLiteral("TTFF*/a"));
}

TEST(ppAnchorsSelection, Label11NeverSelectsLabel1)
{
    PageRig plain;
    QWidget *label1 = plain.add(QStringLiteral("Label1"), QStringLiteral("TTFF*/"));
    QWidget *label11 = plain.add(QStringLiteral("Label11"), QStringLiteral("TTFF*/"));
    ppAnchors &page = plain.open();
    ASSERT_TRUE(select(page, QStringLiteral("Label11")));
    page.lblSides_Click(2);
    page.PropertyPage_ApplyChanges();
    EXPECT_EQ(tagText(label11), QStringLiteral("TTTF*/"));
    EXPECT_EQ(tagText(label1), QStringLiteral("TTFF*/"));

    // Nor member 0 of an array Label1.
    PageRig array;
    QWidget *member0 = array.add(QStringLiteral("Label1_0"), QStringLiteral("TTFF*/"));
    QWidget *other = array.add(QStringLiteral("Label11"), QStringLiteral("TTFF*/"));
    ppAnchors &arrayPage = array.open();
    ASSERT_TRUE(select(arrayPage, QStringLiteral("Label11")));
    arrayPage.lblSides_Click(2);
    arrayPage.PropertyPage_ApplyChanges();
    EXPECT_EQ(tagText(other), QStringLiteral("TTTF*/"));
    EXPECT_EQ(tagText(member0), QStringLiteral("TTFF*/"));
}

TEST(ppAnchorsEditing, ObjectsThatCannotBeAnchoredLoseThePrefixAndAreNotListed)
{
    PageRig rig;
    rig.add(QStringLiteral("Command1"), QStringLiteral("TTFF*/"));
    auto *timer = new QTimer(&rig.window);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setProperty("Tag", QStringLiteral("FFFF*/tick"));
    auto *action = new QAction(&rig.window);
    action->setObjectName(QStringLiteral("actGo"));
    action->setProperty("Tag", QStringLiteral("TTFF*/"));
    auto *plainTimer = new QTimer(&rig.window);
    plainTimer->setObjectName(QStringLiteral("Timer2"));
    plainTimer->setProperty("Tag", QStringLiteral("keep */ me"));
    ppAnchors &page = rig.open();
    EXPECT_EQ(entries(page), QStringList{QStringLiteral("Command1")});
    EXPECT_EQ(timer->property("Tag").toString(), QStringLiteral("tick"));
    EXPECT_EQ(action->property("Tag").toString(), QString());
    EXPECT_EQ(plainTimer->property("Tag").toString(), QStringLiteral("keep */ me"));
}

TEST(ppAnchorsEditing, ApplyingTwiceWithoutTogglingChangesNothing)
{
    PageRig rig;
    QWidget *go = rig.add(QStringLiteral("cmdGo"), QStringLiteral("FTTF*/own text"));
    ppAnchors &page = rig.open();
    page.PropertyPage_ApplyChanges();
    EXPECT_EQ(tagText(go), QStringLiteral("FTTF*/own text"));
    page.PropertyPage_ApplyChanges();
    EXPECT_EQ(tagText(go), QStringLiteral("FTTF*/own text"));
}

TEST(ppAnchorsEditing, ApplyKeepsTheControlsOwnTextEvenWhenItsPrefixWentMissing)
{
    PageRig rig;
    QWidget *url = rig.add(QStringLiteral("Text1"), QStringLiteral("see http://x/*/y"));
    ppAnchors &page = rig.open();
    EXPECT_EQ(tagText(url), QStringLiteral("TTFF*/see http://x/*/y"));
    url->setProperty("Tag", QStringLiteral("note"));
    page.lblSides_Click(3);
    page.PropertyPage_ApplyChanges();
    EXPECT_EQ(tagText(url), QStringLiteral("TTFT*/note"));
}

TEST(ControlNames, ArraysAreSpelledNameUnderscoreIndex)
{
    QWidget window;
    const char *names[] = {"Label1_0",     "Label1_1", "Label1_01", "pushButton",
                           "pushButton_2", "Text1",    "Frame_12"};
    QObjectList controls;
    for (const char *name : names) {
        auto *w = new QWidget(&window);
        w->setObjectName(QString::fromLatin1(name));
        controls.append(w);
    }
    const std::vector<tessaly::ControlName> parsed = tessaly::controlNames(controls);
    QStringList listed;
    for (const tessaly::ControlName &name : parsed)
        listed.append(tessaly::listEntry(name));
    EXPECT_EQ(listed, (QStringList{QStringLiteral("Label1(0)"), QStringLiteral("Label1(1)"),
                                   QStringLiteral("Label1_01"), QStringLiteral("pushButton"),
                                   QStringLiteral("pushButton_2"), QStringLiteral("Text1"),
                                   QStringLiteral("Frame(12)")}));
    EXPECT_TRUE(tessaly::entrySelects(QStringLiteral("Label1(1)"), parsed[1]));
    EXPECT_FALSE(tessaly::entrySelects(QStringLiteral("Label1(1)"), parsed[0]));
    EXPECT_FALSE(tessaly::entrySelects(QStringLiteral("Label1"), parsed[0]));
}
