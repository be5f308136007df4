// The rules behind the dialogs, apart from any widget.
#include "dialogs/BrowsePaths.h"
#include "dialogs/FileFilter.h"
#include "dialogs/HelperPlacement.h"
#include "dialogs/InitialFolder.h"
#include "dialogs/PreviewLayout.h"

#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <QFileInfo>
#include <QWidget>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;

const QChar Nul(u'\0');

// The dialogs' own tests cover the root, the settings window's the real desktop.
TEST(InitialFolder, DesktopInAnyCaseAndTheNearestExistingAncestorOfAMissingFolder)
{
    TempDir dir;
    EXPECT_EQ(InitialFolder::resolve(u"desktop"_s, dir.path(), u"/home"_s), dir.path());
    EXPECT_TRUE(QFileInfo(InitialFolder::desktop()).isDir());
    EXPECT_EQ(InitialFolder::resolve(dir.path()), dir.path());
    EXPECT_EQ(InitialFolder::resolve(dir.file(u"gone/deeper"_s)), dir.path());
    EXPECT_EQ(InitialFolder::resolve(dir.path() + u"/"_s), dir.path());
}

TEST(FileFilter, PairsBecomeNameFiltersShowingTheDescription)
{
    const QList<FileFilter::Entry> entries =
        FileFilter::parse(u"Bitmap (*.bmp) "_s + Nul + u"*.bmp"_s);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries.at(0).description, u"Bitmap (*.bmp)"_s);
    EXPECT_TRUE(entries.at(0).patterns == QStringList{u"*.bmp"_s});
    EXPECT_TRUE(FileFilter::nameFilters(entries) == QStringList{u"Bitmap (*.bmp) (*.bmp)"_s});

    const QString images = u"Image files "_s + Nul + u"*.bmp;*.gif; *.jpg;*.dib"_s + Nul +
                           u"All Files (*.*)"_s + Nul + u"*.*"_s + Nul + Nul;
    EXPECT_TRUE(
        FileFilter::nameFilters(FileFilter::parse(images)) ==
        (QStringList{u"Image files (*.bmp *.gif *.jpg *.dib)"_s, u"All Files (*.*) (*)"_s}));
    EXPECT_TRUE(FileFilter::parse(QString()).isEmpty());
    EXPECT_TRUE(FileFilter::parse(u"Lonely description"_s).isEmpty());
}

TEST(PreviewLayout, ThumbnailsKeepTheAspectRatioInAnEightyPixelBox)
{
    EXPECT_EQ(PreviewLayout::thumbnailSize(80, 80), QSize(80, 80));
    EXPECT_EQ(PreviewLayout::thumbnailSize(1000, 10), QSize(80, 1));
    EXPECT_EQ(PreviewLayout::thumbnailSize(160, 1), QSize(80, 0)); // 0.5 goes to even
    EXPECT_EQ(PreviewLayout::thumbnailSize(160, 3), QSize(80, 2)); // 1.5 goes to even
    EXPECT_TRUE(PreviewLayout::thumbnailSize(0, 50).isEmpty());
    EXPECT_TRUE(PreviewLayout::thumbnailSize(50, 0).isEmpty());
}

TEST(PreviewLayout, TheDialogIsCentredByItsOldSizeThenGrowsByAStripAsWideAsItself)
{
    EXPECT_EQ(PreviewLayout::centredAndEnlarged(QSize(500, 300), QSize(1920, 1200)),
              QRect(710, 450, 500, 407));
    EXPECT_EQ(PreviewLayout::centredAndEnlarged(QSize(501, 301), QSize(1920, 1200)),
              QRect(709, 449, 501, 408));
    EXPECT_EQ(PreviewLayout::frameRect(500), QRect(10, 10, 472, 93));
    EXPECT_EQ(PreviewLayout::clearRect(500), QRect(20, 18, 460, 80));
}

TEST(PreviewLayout, TextsGiveSizeInKilobytesAndDimensions)
{
    EXPECT_TRUE(PreviewLayout::texts(u"a.bmp"_s, true, 2560, QSize(640, 480)) ==
                (QStringList{u"Filesize : 2.50 Kb"_s, u"Image Height : 480 Pixels"_s,
                             u"Image Width : 640 Pixels"_s}));
    EXPECT_EQ(PreviewLayout::texts(u"a.bmp"_s, true, 1000, QSize(1, 1)).at(0),
              u"Filesize : 0.98 Kb"_s);
    // A blank name shows no figures even for a picture.
    EXPECT_TRUE(
        PreviewLayout::texts(u"   "_s, true, 2560, QSize(640, 480)) ==
        (QStringList{u"Filesize : N/A"_s, u"Image Height : N/A"_s, u"Image Width : N/A"_s}));
}

// The folder browser's tests cover the default title and folder, a new folder in an
// ordinary folder and the refused names.
TEST(BrowsePaths, JoinsAtTheRootAndNamesEndAtTheFirstNul)
{
    EXPECT_EQ(BrowsePaths::newFolderPath(u"/"_s, u"New"_s), u"/New"_s);
    EXPECT_EQ(BrowsePaths::StripAtNul(u"/data"_s + Nul + u"junk"_s), u"/data"_s);
    EXPECT_EQ(BrowsePaths::StripAtNul(u"/data"_s), u"/data"_s);
}

TEST(BrowsePaths, AnythingStandingThereExistsAndAFileInTheWayIsReported)
{
    TempDir dir;
    writeFile(dir.file(u"plain"_s), {});
    EXPECT_TRUE(BrowsePaths::FolderExists(u"/"_s));
    EXPECT_TRUE(BrowsePaths::FolderExists(dir.path()));
    EXPECT_TRUE(BrowsePaths::FolderExists(dir.file(u"plain"_s)));
    EXPECT_FALSE(BrowsePaths::FolderExists(dir.file(u"New"_s)));
    EXPECT_FALSE(BrowsePaths::FolderExists(QString()));

    EXPECT_TRUE(BrowsePaths::createFolder(dir.file(u"New"_s)));
    EXPECT_TRUE(QFileInfo(dir.file(u"New"_s)).isDir());
    const QString reason = BrowsePaths::createFolder(dir.file(u"plain/sub"_s)).error();
    EXPECT_TRUE(reason.contains(u"directory"_s, Qt::CaseInsensitive)) << reason.toStdString();
}

// The folder browser's tests place the helper over a real dialog's buttons.
TEST(HelperPlacement, SixteenPixelsInLevelWithTheFirstButton)
{
    EXPECT_EQ(HelperPlacement::position(QRect(-50, 10, 400, 300), 0), QPoint(-34, 10));
    QWidget empty;
    std::int16_t offset = 5;
    EXPECT_FALSE(HelperPlacement::buttonRowOffset(empty, QRect(), offset));
    EXPECT_EQ(offset, 5); // unchanged
}
