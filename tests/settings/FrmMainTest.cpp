#include "SettingsWindowRig.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tessaly;

using namespace tessaly::settingsrig;

TEST_F(SettingsWindow, TitleCarriesTheVersionAndTheLayoutItsTwips)
{
    EXPECT_EQ(FrmMain::titleFor(1, 0, 0), QStringLiteral("Tessaly v1.0.0 By Orvanel"));
    const auto window = open();
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Tessaly v")));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral(" By Orvanel")));
    // 9855 x 3870 twips at 15 twips per pixel.
    EXPECT_EQ(window->size(), QSize(657, 258));
    EXPECT_EQ(child<QLineEdit>(*window, "Text1")->geometry(), QRect(6, 28, 321, 19));
    EXPECT_EQ(child<QPushButton>(*window, "Command1")->text(), QStringLiteral("Begin"));
    EXPECT_EQ(child<QPushButton>(*window, "Command1")->geometry(), QRect(6, 206, 121, 23));
    EXPECT_EQ(child<QCheckBox>(*window, "Check1")->text(),
              QStringLiteral("Silent Mode (No Popups, Login box or Script Errors)"));
    QComboBox *types = child<QComboBox>(*window, "Combo1");
    ASSERT_EQ(types->count(), 5);
    EXPECT_EQ(types->itemText(0), QStringLiteral(".bmp"));
    EXPECT_EQ(types->itemText(4), QStringLiteral(".tif"));
    EXPECT_FALSE(child<QLabel>(*window, "Image1")->pixmap().isNull());
    EXPECT_TRUE(child<QLabel>(*window, "Label11")->font().underline());
}

TEST_F(SettingsWindow, OpensWithPngWhenNoTypeIsStoredAndShowsWhatIs)
{
    writeAll(settingsFile(), "[main]\r\nsavelocation=/tmp/shots/\r\nenablewatermark=1\r\nsilent=yes\r\n");
    const auto window = open();
    EXPECT_EQ(window->saveLocation(), QStringLiteral("/tmp/shots/"));
    EXPECT_EQ(window->saveType(), QStringLiteral(".png"));
    EXPECT_EQ(window->watermarkSwitch(), 1);
    EXPECT_EQ(window->silentSwitch(), 0); // not a number: the box keeps its state

    writeAll(settingsFile(), "[MAIN]\nSaveType=.gif\n");
    EXPECT_EQ(open()->saveType(), QStringLiteral(".gif"));
}

TEST_F(SettingsWindow, EveryEditIsWrittenAtOnceAndSurvivesARestart)
{
    {
        const auto window = open();
        QLineEdit *location = child<QLineEdit>(*window, "Text1");
        location->clear();
        QTest::keyClicks(location, QStringLiteral("/tmp/a b/"));
        location->insert(QStringLiteral("é/")); // typed by an input method
        EXPECT_TRUE(readAll(settingsFile()).contains("savelocation=/tmp/a b/\xc3\xa9/"));
        QComboBox *types = child<QComboBox>(*window, "Combo1");
        types->setCurrentIndex(2);
        emit types->activated(2);
        child<QCheckBox>(*window, "Check2")->click();
        child<QCheckBox>(*window, "Check1")->click();
        child<QCheckBox>(*window, "Check1")->click();
    }
    const QByteArray written = readAll(settingsFile());
    EXPECT_TRUE(written.contains("savetype=.jpg")) << written.constData();
    EXPECT_TRUE(written.contains("enablewatermark=1")) << written.constData();
    EXPECT_TRUE(written.contains("silent=0")) << written.constData();

    SettingsStore fresh(SettingsLocation(dir.path(), dir.file(QStringLiteral("config"))));
    FrmMain again(fresh);
    EXPECT_EQ(again.saveLocation(), QStringLiteral("/tmp/a b/é/"));
    EXPECT_EQ(again.saveType(), QStringLiteral(".jpg"));
    EXPECT_EQ(again.watermarkSwitch(), 1);
    EXPECT_EQ(again.silentSwitch(), 0);
}

TEST_F(SettingsWindow, BeginChecksCreatesTheWholePathAndAsksForTheCaptureWindow)
{
    const auto window = open();
    QSignalSpy requested(window.get(), &FrmMain::captureWindowRequested);
    child<QLineEdit>(*window, "Text1")->clear();
    {
        MessageWatcher watcher;
        window->Command1_Click();
        EXPECT_EQ(watcher.text(), QStringLiteral("Please enter a save location"));
    }
    EXPECT_EQ(requested.size(), 0);

    const QString nested = dir.file(QStringLiteral("one/two/three/"));
    child<QLineEdit>(*window, "Text1")->setText(nested);
    window->Command1_Click();
    EXPECT_TRUE(QDir(nested).exists());
    EXPECT_EQ(requested.size(), 1);

    // A folder that cannot be made (its parent is a file) is said, not opened.
    writeAll(dir.file(QStringLiteral("file")), "x");
    child<QLineEdit>(*window, "Text1")->setText(dir.file(QStringLiteral("file/sub/")));
    {
        MessageWatcher watcher;
        window->Command1_Click();
        EXPECT_TRUE(watcher.text().contains(QStringLiteral("could not be created")));
    }
    EXPECT_EQ(requested.size(), 1);
}

TEST_F(SettingsWindow, BrowseFillsTheFolderWithOneSeparatorAndCancelChangesNothing)
{
    const auto window = open();
    QString answer = QStringLiteral("/srv/pictures");
    window->setFolderPicker([&answer](BFFC &) { return answer; });
    window->Command2_Click();
    EXPECT_EQ(window->saveLocation(), QStringLiteral("/srv/pictures/"));
    answer = QStringLiteral("/srv/other/");
    window->Command2_Click();
    EXPECT_EQ(window->saveLocation(), QStringLiteral("/srv/other/"));
    answer.clear();
    window->Command2_Click();
    EXPECT_EQ(window->saveLocation(), QStringLiteral("/srv/other/"));
    EXPECT_TRUE(readAll(settingsFile()).contains("savelocation=/srv/other/"));
}

TEST_F(SettingsWindow, LoadWatermarkCopiesExactlyAndRefusesWhatIsNoPicture)
{
    const auto window = open();
    const QString big = dir.file(QStringLiteral("big.bmp"));
    const QString small = dir.file(QStringLiteral("small.bmp"));
    QImage(300, 200, QImage::Format_RGB32).save(big);
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    image.save(small);
    QString chosen = big;
    window->setWatermarkPicker([&chosen](OpenImage &) { return chosen; });
    window->Command3_Click();
    window->Command3_Click();
    chosen = small;
    window->Command3_Click();
    EXPECT_EQ(readAll(store.watermarkFile()), readAll(small));

    const QString junk = dir.file(QStringLiteral("junk.bmp"));
    writeAll(junk, "not a picture at all");
    chosen = junk;
    {
        MessageWatcher watcher;
        window->Command3_Click();
        EXPECT_TRUE(watcher.text().contains(QStringLiteral("cannot be used as a watermark")));
    }
    EXPECT_EQ(readAll(store.watermarkFile()), readAll(small));
}

TEST_F(SettingsWindow, CopyFileReplacesTheTargetOnlyWithAWholeCopy)
{
    const QString source = dir.file(QStringLiteral("source"));
    QByteArray bytes;
    for (int i = 0; i < 10000; ++i)
        bytes.append(char(i * 7));
    writeAll(source, bytes);
    const QString target = dir.file(QStringLiteral("target"));
    writeAll(target, QByteArray(20000, 'x'));
    EXPECT_EQ(FrmMain::CopyFile(source, target), 1);
    EXPECT_EQ(readAll(target), bytes);

    QString error;
    EXPECT_EQ(FrmMain::CopyFile(dir.file(QStringLiteral("missing")), target, &error), 0);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(target), bytes);
}

TEST_F(SettingsWindow, LinkOpensTheMakersSiteAndViewOpensTheCopy)
{
    const auto window = open();
    QList<QUrl> opened;
    window->setOpener([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });
    {
        MessageWatcher watcher; // no copy yet: said, nothing opened
        window->Command4_Click();
        EXPECT_TRUE(watcher.text().contains(QStringLiteral("No watermark")));
    }
    QImage(8, 8, QImage::Format_RGB32).save(store.watermarkFile(), "BMP");
    QLabel *link = child<QLabel>(*window, "Label11");
    QTest::mousePress(link, Qt::LeftButton);
    EXPECT_FALSE(link->font().underline());
    QTest::mouseRelease(link, Qt::LeftButton);
    EXPECT_TRUE(link->font().underline());
    window->Command4_Click();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.at(0), QUrl(FrmMain::MakerSite.toString()));
    EXPECT_EQ(opened.at(1), QUrl::fromLocalFile(store.watermarkFile()));
}
