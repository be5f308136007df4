#include "PageHelpers.h"

#include "anchor/ControlName.h"
#include "anchor/HostControls.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tessaly;
using namespace Qt::StringLiterals;

namespace {

// A window whose named controls the page edits, at 15 twips per pixel.
struct PageRig
{
    QWidget window;
    std::unique_ptr<ppAnchors> page;

    template <class T = QPushButton> T *add(const QString &name, const QString &tag)
    {
        auto *o = new T(&window);
        o->setObjectName(name);
        if (!tag.isNull())
            o->setProperty("Tag", tag);
        return o;
    }
    ppAnchors &open()
    {
        page = std::make_unique<ppAnchors>(namedControls(&window), TwipsScale{15, 15});
        page->show();
        return *page;
    }
};

} // namespace

// The page is laid out in twips: its size and the bars' place inside the frame's border
// come out of the conversion; the other controls' rectangles are plain twips constants.
TEST(ppAnchorsLayout, ThePageKeepsItsTwipsGeometryAndStartsWhite)
{
    PageRig rig;
    ppAnchors &page = rig.open();
    EXPECT_EQ(page.size(), QSize(363, 196));
    EXPECT_EQ(page.lstCtrls()->geometry(), QRect(8, 36, 159, 147));
    const QWidget *right = page.lblSides(2);
    const QPoint inFrame = right->mapTo(page.picFrame(), QPoint(0, 0));
    EXPECT_EQ(QRect(inFrame - page.picFrame()->contentsRect().topLeft(), right->size()),
              QRect(116, 68, 51, 19));
    EXPECT_EQ(bars(page), u"FFFF"_s);

    ppAnchors fine({}, TwipsScale{12, 12});
    EXPECT_EQ(fine.lstCtrls()->geometry(), QRect(10, 45, 199, 184));
}

TEST(ppAnchorsEditing, AnEmptyTagGetsTheDefaultPrefixAndEachEntryShowsItsOwnEdges)
{
    PageRig rig;
    QWidget *command1 = rig.add(u"Command1"_s, QString());
    for (const QString &flags : {u"FTTF"_s, u"TFTT"_s})
        rig.add(u"cmd"_s + flags, flags + u"*/go"_s);
    ppAnchors &page = rig.open();
    EXPECT_EQ(tagText(command1), u"TTFF*/"_s);
    for (const auto &[entry, flags] : {std::pair{u"cmdFTTF"_s, u"FTTF"_s},
                                       {u"cmdTFTT"_s, u"TFTT"_s},
                                       {u"Command1"_s, u"TTFF"_s}}) {
        ASSERT_TRUE(select(page, entry));
        EXPECT_EQ(bars(page), flags);
    }
    // Black for an anchored edge, white for a free one.
    EXPECT_EQ(page.sideColour(0), 0);
    EXPECT_EQ(page.sideColour(2), 0xFFFFFF);
}

TEST(ppAnchorsEditing, ClickingTheRightBarAndApplyingAnchorsTheRightEdge)
{
    PageRig rig;
    QWidget *text1 = rig.add(u"Text1"_s, u"TTFF*/"_s);
    ppAnchors &page = rig.open();
    QSignalSpy changed(&page, &ppAnchors::changedChanged);
    QTest::mouseClick(page.lblSides(2), Qt::LeftButton);
    EXPECT_EQ(bars(page), u"TTTF"_s);
    EXPECT_EQ(tagText(text1), u"TTFF*/"_s); // not before Apply
    page.PropertyPage_ApplyChanges();
    EXPECT_EQ(tagText(text1), u"TTTF*/"_s);
    ASSERT_EQ(changed.count(), 2); // changed by the click, unchanged by Apply

    // And back: a second click frees the edge again.
    page.lblSides_Click(2);
    page.PropertyPage_ApplyChanges();
    EXPECT_EQ(tagText(text1), u"TTFF*/"_s);
}

TEST(ppAnchorsEditing, ObjectsThatCannotBeAnchoredLoseThePrefixAndAreNotListed)
{
    PageRig rig;
    rig.add(u"Command1"_s, u"TTFF*/"_s);
    auto *timer = rig.add<QTimer>(u"Timer1"_s, u"FFFF*/tick"_s);
    auto *action = rig.add<QAction>(u"actGo"_s, u"TTFF*/"_s);
    auto *plainTimer = rig.add<QTimer>(u"Timer2"_s, u"keep */ me"_s);
    ppAnchors &page = rig.open();
    ASSERT_EQ(page.lstCtrls()->count(), 1);
    EXPECT_EQ(page.lstCtrls()->item(0)->text(), u"Command1"_s);
    EXPECT_EQ(timer->property("Tag").toString(), u"tick"_s);
    EXPECT_EQ(action->property("Tag").toString(), QString());
    EXPECT_EQ(plainTimer->property("Tag").toString(), u"keep */ me"_s);
}

TEST(ppAnchorsEditing, ApplyKeepsTheControlsOwnTextEvenWhenItsPrefixWentMissing)
{
    PageRig rig;
    QWidget *url = rig.add(u"Text1"_s, u"see http://x/*/y"_s);
    ppAnchors &page = rig.open();
    EXPECT_EQ(tagText(url), u"TTFF*/see http://x/*/y"_s);
    url->setProperty("Tag", u"note"_s);
    page.lblSides_Click(3);
    page.PropertyPage_ApplyChanges();
    EXPECT_EQ(tagText(url), u"TTFT*/note"_s);
}

TEST(ControlNames, ArraysAreSpelledNameUnderscoreIndexAndAnEntrySelectsItsOwnNameOnly)
{
    const std::pair<const char *, QString> names[] = {
        {"Label1_0", u"Label1(0)"_s},        {"Label1_1", u"Label1(1)"_s},
        {"Label1_01", u"Label1_01"_s},       {"pushButton", u"pushButton"_s},
        {"pushButton_2", u"pushButton_2"_s}, {"Text1", u"Text1"_s},
        {"Frame_12", u"Frame(12)"_s}};
    QWidget window;
    QObjectList controls;
    for (const auto &[name, entry] : names) {
        controls.append(new QWidget(&window));
        controls.back()->setObjectName(QString::fromLatin1(name));
    }
    const std::vector<ControlName> parsed = controlNames(controls);
    ASSERT_EQ(parsed.size(), std::size(names));
    for (size_t i = 0; i < parsed.size(); ++i)
        EXPECT_EQ(listEntry(parsed[i]), names[i].second) << names[i].first;
    EXPECT_TRUE(entrySelects(u"Label1(1)"_s, parsed[1]));
    EXPECT_FALSE(entrySelects(u"Label1(1)"_s, parsed[0]));
    EXPECT_FALSE(entrySelects(u"Label1"_s, parsed[0]));
    // Nor does an entry select a control whose name merely begins it.
    EXPECT_FALSE(entrySelects(u"Label11"_s, parsed[0]));
    EXPECT_FALSE(entrySelects(u"Label11"_s, {u"Label1"_s, -1}));
}
