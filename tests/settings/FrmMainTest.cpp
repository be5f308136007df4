#include "SettingsWindowRig.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace tessaly;
using namespace tessaly::settingsrig;
using namespace Qt::StringLiterals;

// How a file that is no profile reads is IniFileTest's; here that the window shows the
// defaults over it and writes nothing back on opening.
TEST_F(SettingsWindow, OpensTitledAtItsTwipsWithTheDefaultsOverAFileThatIsNoProfile)
{
    EXPECT_EQ(FrmMain::titleFor(1, 0, 0), u"Tessaly v1.0.0 By Orvanel"_s);
    const QByteArray content = settingsfiles::garbage(4096, 11);
    writeFile(store.settingsFile(), content);
    const auto window = open();
    const QString title = window->windowTitle();
    EXPECT_TRUE(title.startsWith(u"Tessaly v"_s) && title.endsWith(u" By Orvanel"_s));
    EXPECT_EQ(window->size(), QSize(657, 258)); // 9855 x 3870 twips at 15 twips a pixel
    EXPECT_EQ(window->findChild<QComboBox *>(u"Combo1"_s)->count(), 5);
    EXPECT_EQ(window->saveLocation(), QString());
    EXPECT_EQ(window->saveType(), u".png"_s);
    EXPECT_EQ(window->watermarkSwitch(), 0);
    EXPECT_EQ(window->silentSwitch(), 0);
    EXPECT_EQ(contentOf(store.settingsFile()), content);
}

// A read holds 254 characters: a longer folder shows cut, and opening must not write it back so.
TEST_F(SettingsWindow, OpeningLeavesALongerLocationInTheFileWhole)
{
    ASSERT_TRUE(store.setSaveLocation(u'/' + QString(300, u'a') + u'/'));
    const QByteArray content = contentOf(store.settingsFile());
    const auto window = open();
    EXPECT_EQ(window->saveLocation().size(), 254);
    EXPECT_EQ(contentOf(store.settingsFile()), content);
}

TEST_F(SettingsWindow, EveryEditIsWrittenAtOnceAndSurvivesARestart)
{
    {
        const auto window = open();
        QLineEdit *location = window->findChild<QLineEdit *>(u"Text1"_s);
        location->clear();
        QTest::keyClicks(location, u"/tmp/a b/"_s);
        location->insert(u"é/"_s); // typed by an input method
        EXPECT_TRUE(contentOf(store.settingsFile()).contains("savelocation=/tmp/a b/\xc3\xa9/"));
        QComboBox *types = window->findChild<QComboBox *>(u"Combo1"_s);
        types->setCurrentIndex(2);
        emit types->activated(2);
        window->findChild<QCheckBox *>(u"Check2"_s)->click();
        window->findChild<QCheckBox *>(u"Check1"_s)->click();
        window->findChild<QCheckBox *>(u"Check1"_s)->click();
    }
    // The keys themselves are checked in SettingsStoreTest; here that every edit reached the file.
    SettingsStore fresh(location());
    FrmMain again(fresh);
    EXPECT_EQ(again.saveLocation(), u"/tmp/a b/é/"_s);
    EXPECT_EQ(again.saveType(), u".jpg"_s);
    EXPECT_EQ(again.watermarkSwitch(), 1);
    EXPECT_EQ(again.silentSwitch(), 0);
}

TEST_F(SettingsWindow, BeginChecksCreatesTheWholePathAndAsksForTheCaptureWindow)
{
    const auto window = open();
    QSignalSpy requested(window.get(), &FrmMain::captureWindowRequested);
    const auto begin = [&window] { window->Command1_Click(); };
    QLineEdit *text1 = window->findChild<QLineEdit *>(u"Text1"_s);
    text1->clear();
    EXPECT_EQ(messageFrom(begin), u"Please enter a save location"_s);
    EXPECT_EQ(requested.size(), 0);

    // Without a type nothing is made either.
    text1->setText(dir.file(u"shots/"_s));
    window->findChild<QComboBox *>(u"Combo1"_s)->setCurrentIndex(-1);
    EXPECT_EQ(messageFrom(begin), u"Please choose a save as"_s);
    EXPECT_EQ(requested.size(), 0);
    EXPECT_FALSE(QFileInfo::exists(dir.file(u"shots"_s)));
    window->findChild<QComboBox *>(u"Combo1"_s)->setCurrentIndex(3);

    const QString nested = dir.file(u"one/two/three/"_s);
    text1->setText(nested);
    begin();
    EXPECT_TRUE(QDir(nested).exists());
    EXPECT_EQ(requested.size(), 1);

    // A folder that cannot be made (its parent is a file) is said, not opened.
    writeFile(dir.file(u"file"_s), "x");
    text1->setText(dir.file(u"file/sub/"_s));
    EXPECT_TRUE(messageFrom(begin).contains(u"could not be created"_s));
    EXPECT_EQ(requested.size(), 1);
}

TEST_F(SettingsWindow, BrowseFillsTheFolderWithOneSeparatorAndCancelChangesNothing)
{
    const auto window = open();
    QString answer;
    window->setFolderPicker([&answer](BFFC &) { return answer; });
    // An empty answer is a cancel.
    for (const auto &[picked, shown] : {std::pair{"/srv/pictures", "/srv/pictures/"},
                                        {"/srv/other/", "/srv/other/"},
                                        {"", "/srv/other/"}}) {
        answer = QString::fromLatin1(picked);
        window->Command2_Click();
        EXPECT_EQ(window->saveLocation(), QString::fromLatin1(shown)) << picked;
    }
    EXPECT_TRUE(contentOf(store.settingsFile()).contains("savelocation=/srv/other/"));
}

TEST_F(SettingsWindow, LoadWatermarkReplacesTheCopyExactlyAndCancelKeepsIt)
{
    const auto window = open();
    const QString big = writeBitmap(dir.file(u"big.bmp"_s), 300, 200);
    const QString small = writeBitmap(dir.file(u"small.bmp"_s), 20, 10, qRgb(10, 200, 30));
    QString chosen = big;
    window->setWatermarkPicker([&chosen](OpenImage &) { return chosen; });
    window->Command3_Click();
    chosen = small; // the shorter copy replaces the longer one and leaves no tail of it
    window->Command3_Click();
    EXPECT_EQ(contentOf(store.watermarkFile()), contentOf(small));
    chosen.clear(); // a cancel: nothing said, the copy kept
    EXPECT_EQ(messageFrom([&] { window->Command3_Click(); }), QString());
    EXPECT_EQ(contentOf(store.watermarkFile()), contentOf(small));
}

TEST_F(SettingsWindow, LinkOpensTheMakersSiteAndViewOpensTheCopy)
{
    const auto window = open();
    QList<QUrl> opened;
    window->setOpener([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });
    // No copy yet: said, nothing opened.
    EXPECT_TRUE(messageFrom([&] { window->Command4_Click(); }).contains(u"No watermark"_s));
    writeBitmap(store.watermarkFile(), 8, 8);
    QLabel *link = window->findChild<QLabel *>(u"Label11"_s);
    QTest::mousePress(link, Qt::LeftButton);
    EXPECT_FALSE(link->font().underline());
    QTest::mouseRelease(link, Qt::LeftButton);
    EXPECT_TRUE(link->font().underline());
    window->Command4_Click();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.at(0), QUrl(FrmMain::MakerSite.toString()));
    EXPECT_EQ(opened.at(1), QUrl::fromLocalFile(store.watermarkFile()));
}
