#include "FrmBrowserRig.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLabel>
#include <QProgressBar>

using namespace tessaly;

namespace {

class History : public WindowRig
{
protected:
    History()
    {
        for (const char *name : {"p1", "p2", "p3"})
            server.addPage(QStringLiteral("/%1.html").arg(QLatin1String(name)),
                           QByteArray("<!doctype html><title>") + name + "</title><p>" + name);
        p1 = url("/p1.html");
        p2 = url("/p2.html");
        p3 = url("/p3.html");
    }

    /// Opens P1, P2 and P3 through the address box, one recorded completion each.
    void openThreePages()
    {
        showWindow();
        ASSERT_EQ(window->BackIndex, 0);
        go(p1);
        ASSERT_SOON_EQ(window->BackIndex, 1);
        go(p2);
        ASSERT_SOON_EQ(window->BackIndex, 2);
        go(p3);
        ASSERT_SOON_EQ(window->BackIndex, 3);
        ASSERT_SOON_EQ(addressText(), p3);
    }

    /// The texts of the Back and Forward menus, an empty entry first.
    void expectMenus(const QStringList &back, const QStringList &forward)
    {
        EXPECT_EQ(menuTexts(1), QStringList{QString()} + back);
        EXPECT_EQ(menuTexts(2), QStringList{QString()} + forward);
    }

    QString p1, p2, p3;
};

} // namespace

// The worked example of the navigation history, through real navigations.
TEST_F(History, ThreePagesThenBackIsRecordedAsANewVisit)
{
    openThreePages();
    EXPECT_EQ(window->ForwardIndex, 3);
    // The address box text at each completion, as typed.
    EXPECT_EQ(window->History, (QStringList{p1, p2, p3}));
    expectMenus({p1, p2}, {});

    ASSERT_SOON(toolbarAction(1)->isEnabled());
    EXPECT_FALSE(toolbarAction(2)->isEnabled());
    press(1);
    EXPECT_EQ(window->BackIndex, 4);
    EXPECT_EQ(window->ForwardIndex, 2);
    expectMenus({p1}, {p3});

    // The back navigation's completion comes after the command returned: a new visit.
    ASSERT_SOON_EQ(window->BackIndex, 5);
    EXPECT_EQ(window->ForwardIndex, 3);
    EXPECT_EQ(window->History, (QStringList{p1, p2, p3, p3}));
    EXPECT_EQ(menuTexts(1), (QStringList{QString(), p1, p3}));
    ASSERT_SOON_EQ(addressText(), p2);
    EXPECT_TRUE(shows(0, p2));
    ASSERT_SOON(toolbarAction(2)->isEnabled());
}

// A menu entry chosen does nothing; Forward with nothing ahead adds to Back, removes nothing.
TEST_F(History, MenuEntryDoesNothingAndForwardAfterTheThirdPageRemovesNothing)
{
    openThreePages();
    const QStringList before = window->History;
    QList<QAction *> entries = toolbarAction(1)->menu()->actions();
    ASSERT_EQ(entries.size(), 3);
    entries.at(1)->trigger();
    QTest::qWait(0);
    EXPECT_EQ(window->BackIndex, 3);
    EXPECT_EQ(window->History, before);
    EXPECT_TRUE(shows(0, p3));
    expectMenus({p1, p2}, {});

    // The button is greyed; the command it runs is what is tested.
    EXPECT_FALSE(toolbarAction(2)->isEnabled());
    toolbarAction(2)->setEnabled(true);
    press(2);
    EXPECT_EQ(window->BackIndex, 2);
    EXPECT_EQ(window->ForwardIndex, 4);
    expectMenus({p1, p2, p3}, {});
    EXPECT_TRUE(shows(0, p3));
}

TEST_F(History, BackAndForwardWithEmptyHistoryAddAndRemoveNoEntry)
{
    showWindow();
    toolbarAction(1)->setEnabled(true);
    press(1);
    EXPECT_EQ(window->BackIndex, 1);
    EXPECT_EQ(window->ForwardIndex, -1);
    expectMenus({}, {});
    toolbarAction(2)->setEnabled(true);
    press(2);
    EXPECT_EQ(window->BackIndex, 0);
    EXPECT_EQ(window->ForwardIndex, 0);
    expectMenus({}, {});
    EXPECT_FALSE(window->GoingBack);
    EXPECT_FALSE(window->GoingForward);
}

TEST_F(History, TitleStatusProgressAndTheToolbarFollowTheCurrentPage)
{
    server.addPage(QStringLiteral("/link.html"),
                   "<!doctype html><title>A &lt;b&gt;bold&lt;/b&gt; title</title>"
                   "<style>body{margin:0} a{display:block;width:100%;height:400px}</style>"
                   "<a href=\"/p2.html\">link</a>");
    showWindow();
    EXPECT_EQ(control<QLabel>("Label2")->text(), QStringLiteral("Site Title:"));
    load(QStringLiteral("/link.html"));
    EXPECT_SOON_EQ(control<QLabel>("Label2")->text(), QStringLiteral("A <b>bold</b> title"));
    EXPECT_EQ(control<QLabel>("Label2")->textFormat(), Qt::PlainText);
    EXPECT_SOON_EQ(control<QProgressBar>("ProgressBar1")->value(), 100);

    // Pointing at the link shows where it leads.
    QWidget *surface = view(0)->engineView()->focusProxy();
    ASSERT_NE(surface, nullptr);
    QTest::mouseMove(surface, QPoint(100, 100));
    QTest::mouseMove(surface, QPoint(120, 110));
    EXPECT_SOON_EQ(window->LastStatusText, p2);
    EXPECT_EQ(statusText(), p2);
    // Leaving the link gives an empty status text, which leaves the panel alone.
    QTest::mouseMove(surface, QPoint(120, surface->height() - 5));
    QTest::qWait(0);
    EXPECT_SOON(page(0)->url().toString() == url("/link.html"));
    EXPECT_EQ(statusText(), p2);

    SCOPED_TRACE("Refresh, Home and Stop act on the current view");
    QSignalSpy started(page(0), &QWebEnginePage::loadStarted);
    press(4);
    ASSERT_TRUE(started.wait(10000));
    EXPECT_TRUE(shows(0, url("/link.html")));
    press(5);
    EXPECT_SOON(page(0)->url().toString() == FrmBrowser::HomePageUrl.toString());
    press(3);
    EXPECT_SOON(!page(0)->isLoading());
}

TEST_F(History, AddressBoxCompletesQuotesInGoTooltipAndSelectsOnDoubleClick)
{
    showWindow();
    auto *text1 = control<QLineEdit>("Text1");
    {
        SCOPED_TRACE("completion of typed and visited addresses of this run");
        go(p1);
        ASSERT_SOON(shows(0, p1));
        // A completion told after the next load began is dropped: p1's must be in first.
        ASSERT_SOON(window->History.size() == 1);
        load(QStringLiteral("/p2.html"));
        ASSERT_SOON(window->addressCompletion().addresses().contains(p2));
        EXPECT_TRUE(window->addressCompletion().addresses().contains(p1));

        text1->clear();
        text1->setFocus();
        QTest::keyClicks(text1, QStringLiteral("p2.h"));
        QCompleter *completer = text1->completer();
        ASSERT_NE(completer, nullptr);
        ASSERT_SOON(completer->popup()->isVisible());
        EXPECT_EQ(completer->completionCount(), 1);
        EXPECT_EQ(completer->currentCompletion(), p2);
        QTest::keyClick(completer->popup(), Qt::Key_Escape);
    }
    {
        SCOPED_TRACE("Go tooltip and double click");
        QWidget *go = control("cmdGo");
        text1->setText(QStringLiteral("abc"));
        QTest::mouseMove(go, QPoint(5, 5));
        QTest::mouseMove(go, QPoint(8, 6));
        EXPECT_SOON_EQ(go->toolTip(), QStringLiteral("Go to '' abc ''"));

        const QString address = QStringLiteral("http://127.0.0.1/abcdefgh");
        text1->setText(address);
        text1->deselect();
        QTest::mouseDClick(text1, Qt::LeftButton);
        EXPECT_EQ(text1->selectionStart(), 0);
        EXPECT_EQ(text1->selectedText(), address);
        EXPECT_SOON(text1->hasFocus());
    }
    // A reopened window completes the same addresses; nothing is written anywhere.
    window->close();
    showWindow();
    EXPECT_TRUE(control<QLineEdit>("Text1")->completer() != nullptr);
    EXPECT_TRUE(window->addressCompletion().addresses().contains(p1));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}
