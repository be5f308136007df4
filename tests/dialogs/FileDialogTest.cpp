// The open and save dialogs, and the open dialog with the image preview strip.
#include "dialogs/InitialFolder.h"
#include "dialogs/OpenImage.h"
#include "dialogs/PreviewLayout.h"
#include "dialogs/PreviewStrip.h"
#include "imagefile/SaveBitmapAs.h"

#include "../support/TempDir.h"
#include "../support/DialogSteps.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;
using namespace dialogsteps;

namespace {

const QChar Nul(u'\0');

QString bitmapFilter()
{
    return u"Bitmap (*.bmp) "_s + Nul + u"*.bmp"_s;
}

void writePicture(const QString &path, int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "BMP"));
}

} // namespace

TEST(OpenFile, EmptyPropertiesGetTheDefaultsWrittenBack)
{
    OpenImage component;
    SeenFileDialog seen;
    ModalDriver driver;
    driver.then(look(seen, [](QFileDialog *dialog) { dialog->reject(); }));
    EXPECT_EQ(component.OpenFile(), QString());
    EXPECT_TRUE(driver.finished());

    EXPECT_TRUE(seen.types == QStringList{u"All Files (*.*)"_s})
        << seen.types.join(u'|').toStdString();
    EXPECT_EQ(component.filter(), u"All Files (*.*)"_s + Nul + u"*.*"_s + Nul);
    EXPECT_EQ(seen.folder, u"/"_s);
    EXPECT_EQ(component.initDir(), u"/"_s);
    EXPECT_EQ(seen.caption, QGuiApplication::applicationDisplayName());
    EXPECT_EQ(component.title(), QGuiApplication::applicationDisplayName());
    EXPECT_EQ(component.module().lastRequest().flags, 0x80020);
}

TEST(OpenFile, ReturnsTheChosenFileWithTheCallersSettings)
{
    TempDir dir;
    writePicture(dir.file(u"mark.bmp"_s), 8, 8, Qt::blue);
    OpenImage component;
    component.setFilter(bitmapFilter());
    component.setFlags(5);
    component.setInitDir(dir.path());
    component.setTitle(u"Load Watermark BMP file"_s);
    SeenFileDialog seen;
    ModalDriver driver;
    driver.then(look(seen));
    driver.then(acceptWith(u"mark.bmp"_s));
    EXPECT_EQ(component.OpenFile(), dir.file(u"mark.bmp"_s));
    EXPECT_EQ(seen.caption, u"Load Watermark BMP file"_s);
    EXPECT_TRUE(seen.types == QStringList{u"Bitmap (*.bmp)"_s})
        << seen.types.join(u'|').toStdString();
    EXPECT_EQ(seen.folder, dir.path());
    EXPECT_EQ(component.module().lastRequest().flags, 5 | 0x80020);
    EXPECT_FALSE(component.module().lastRequest().preview);
    EXPECT_EQ(component.filter(), bitmapFilter()); // a given filter stays as it was
}

TEST(OpenFile, DesktopOpensTheDesktopFolder)
{
    OpenImage component;
    component.setInitDir(u"Desktop"_s);
    QString folder;
    ModalDriver driver;
    driver.then(onDialog([&](QFileDialog *dialog) {
        folder = dialog->directory().absolutePath();
        dialog->reject();
    }));
    EXPECT_EQ(component.OpenFile(), QString());
    EXPECT_EQ(folder, InitialFolder::desktop());
    EXPECT_EQ(component.initDir(), u"Desktop"_s);
}

TEST(OpenFile, ASecondDialogPreselectsTheTypeChosenInTheFirst)
{
    TempDir dir;
    QFile note(dir.file(u"note.txt"_s));
    ASSERT_TRUE(note.open(QIODevice::WriteOnly));
    note.close();
    OpenImage component;
    component.setFilter(bitmapFilter() + Nul + u"All Files (*.*)"_s + Nul + u"*.*"_s + Nul);
    component.setInitDir(dir.path());

    ModalDriver first;
    first.then(onDialog([](QFileDialog *dialog) {
        dialog->selectNameFilter(dialog->nameFilters().at(1));
    }));
    first.then(acceptWith(u"note.txt"_s));
    EXPECT_EQ(component.OpenFile(), dir.file(u"note.txt"_s));
    EXPECT_EQ(component.module().filterIndex(), 1);

    int preselected = -1;
    QString shown;
    QStringList offered;
    ModalDriver second;
    second.then(onDialog([&](QFileDialog *dialog) {
        // The type list as the user sees it: with the details hidden, the dialog reports the
        // bare description as its selected filter, so the position is what is compared.
        if (auto *combo = dialog->findChild<QComboBox *>(u"fileTypeCombo"_s)) {
            preselected = combo->currentIndex();
            shown = combo->currentText();
        }
        offered = dialog->nameFilters();
        dialog->reject();
    }));
    EXPECT_EQ(component.OpenFile(), QString());
    ASSERT_EQ(offered.size(), 2);
    EXPECT_EQ(preselected, 1);
    EXPECT_EQ(shown, u"All Files (*.*)"_s);
    EXPECT_EQ(component.module().filterIndex(), 1); // a cancel keeps the last choice
}

TEST(SaveFile, ReturnsTheTypedNameWithoutCreatingIt)
{
    TempDir dir;
    writePicture(dir.file(u"old.bmp"_s), 4, 4, Qt::green);
    OpenImage component;
    component.setFilter(bitmapFilter());
    component.setInitDir(dir.path());

    bool saveMode = false;
    ModalDriver driver;
    driver.then(onDialog(
        [&](QFileDialog *dialog) { saveMode = dialog->acceptMode() == QFileDialog::AcceptSave; }));
    driver.then(acceptWith(u"new.bmp"_s));
    EXPECT_EQ(component.SaveFile(), dir.file(u"new.bmp"_s));
    EXPECT_TRUE(saveMode);
    EXPECT_FALSE(QFileInfo::exists(dir.file(u"new.bmp"_s)));

    // Without the overwrite-prompt flag an existing name is taken as it is.
    ModalDriver again;
    again.then(acceptWith(u"old.bmp"_s));
    EXPECT_EQ(component.SaveFile(), dir.file(u"old.bmp"_s));
}

TEST(SaveFile, CancelGivesNothing)
{
    OpenImage component;
    ModalDriver driver;
    driver.then(cancel());
    EXPECT_EQ(component.SaveFile(), QString());
}

class PreviewDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writePicture(dir.file(u"wide.bmp"_s), 640, 480, Qt::red);
        writePicture(dir.file(u"tall.bmp"_s), 300, 400, Qt::red);
        QFile note(dir.file(u"note.txt"_s));
        ASSERT_TRUE(note.open(QIODevice::WriteOnly));
        note.write("not a picture");
        component.setInitDir(dir.path());
    }

    static PreviewStrip *stripOf(QFileDialog *dialog)
    {
        return dialog->findChild<PreviewStrip *>();
    }

    static QRgb pixel(PreviewStrip *strip, int x, int y)
    {
        return strip->grab().toImage().pixel(x, y);
    }

    TempDir dir;
    OpenImage component;
};

TEST_F(PreviewDialog, GrowsByTheStripCentredByItsFormerSize)
{
    QRect frame;
    QRect strip;
    bool timerRuns = false;
    int clientHeight = -1;
    int controlsBottom = -1;
    QStringList types;
    ModalDriver driver;
    driver.then(onDialog([&](QFileDialog *dialog) {
        frame = dialog->frameGeometry();
        timerRuns = component.timer1().isActive() && component.timer1().interval() == 100;
        clientHeight = dialog->height();
        if (PreviewStrip *preview = stripOf(dialog))
            strip = preview->geometry();
        if (auto *buttons = dialog->findChild<QDialogButtonBox *>())
            controlsBottom = buttons->geometry().bottom();
        types = comboItems(dialog);
        dialog->reject();
    }));
    EXPECT_EQ(component.OpenImageWithPreview(), QString());

    const QSize before = component.module().previewState().dialogSize;
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(frame, PreviewLayout::centredAndEnlarged(before, screen));
    EXPECT_EQ(frame.height(), before.height() + 107);
    EXPECT_EQ(strip.height(), 107);
    // The strip is the bottom band of the client area, inside any window frame.
    EXPECT_EQ(strip.bottom(), clientHeight - 1);
    EXPECT_LT(controlsBottom, strip.top()); // the dialog's own controls stay clear of it
    EXPECT_TRUE(types == QStringList{u"Image files"_s}) << types.join(u'|').toStdString();
    EXPECT_TRUE(component.module().lastRequest().preview);
    EXPECT_EQ(component.module().lastRequest().flags, 5 | 0x80020);
    // The strip is repainted every 100 ms while the dialog is open, and no longer after.
    EXPECT_TRUE(timerRuns);
    EXPECT_FALSE(component.timer1().isActive());
}

TEST_F(PreviewDialog, FollowsTheFileNameBox)
{
    const qint64 wideSize = QFileInfo(dir.file(u"wide.bmp"_s)).size();
    QStringList initial, wide, missing, cleared, notPicture;
    QRect wideThumb, tallThumb, clearedThumb, missingThumb, notPictureThumb;
    QRgb inside = 0, beside = 0, below = 0;
    ModalDriver driver;
    driver.then(onDialog([&](QFileDialog *dialog) {
        PreviewStrip *strip = stripOf(dialog);
        ASSERT_NE(strip, nullptr);
        initial = strip->lines();

        typeName(dialog, u"wide.bmp"_s);
        wide = strip->lines();
        wideThumb = strip->thumbnailRect();
        inside = pixel(strip, 330, 70);
        beside = pixel(strip, 405, 40);
        below = pixel(strip, 330, 82);

        typeName(dialog, u"missing.bmp"_s); // names nothing: the preview stays
        missing = strip->lines();
        missingThumb = strip->thumbnailRect();

        typeName(dialog, u"tall.bmp"_s);
        tallThumb = strip->thumbnailRect();

        typeName(dialog, QString());
        cleared = strip->lines();
        clearedThumb = strip->thumbnailRect();

        typeName(dialog, u"note.txt"_s);
        notPicture = strip->lines();
        notPictureThumb = strip->thumbnailRect();
        dialog->reject();
    }));
    EXPECT_EQ(component.OpenImageWithPreview(), QString());

    const QStringList na{u"Filesize : N/A"_s, u"Image Height : N/A"_s, u"Image Width : N/A"_s};
    EXPECT_TRUE(initial == na);
    const QString size = QString::number(double(wideSize) / 1024.0, 'f', 2);
    EXPECT_TRUE(wide == (QStringList{u"Filesize : "_s + size + u" Kb"_s,
                                     u"Image Height : 480 Pixels"_s,
                                     u"Image Width : 640 Pixels"_s}))
        << wide.join(u'|').toStdString();
    EXPECT_EQ(wideThumb, QRect(320, 18, 80, 60));
    EXPECT_EQ(QColor(inside), QColor(Qt::red));
    EXPECT_NE(QColor(beside), QColor(Qt::red));
    EXPECT_NE(QColor(below), QColor(Qt::red));

    EXPECT_EQ(missingThumb, wideThumb);
    EXPECT_EQ(missing.at(1), u"Image Height : 480 Pixels"_s);
    EXPECT_EQ(tallThumb, QRect(320, 18, 60, 80));
    EXPECT_TRUE(cleared == na);
    EXPECT_EQ(clearedThumb, tallThumb); // the last thumbnail stays
    EXPECT_TRUE(notPicture == na);
    EXPECT_TRUE(notPictureThumb.isEmpty());
    EXPECT_EQ(component.module().previewState().previewPath, dir.file(u"note.txt"_s));
}

TEST_F(PreviewDialog, ReturnsTheChosenPicture)
{
    ModalDriver driver;
    driver.then(acceptWith(u"tall.bmp"_s));
    EXPECT_EQ(component.OpenImageWithPreview(), dir.file(u"tall.bmp"_s));
}

TEST_F(PreviewDialog, ShowsGifAndJpegPicturesWithTheirFigures)
{
    SaveBitmapAs writer; // the program's own GIF writer: Qt has none
    writer.StartGdiplus(1);
    QImage gif(64, 32, QImage::Format_RGB32);
    gif.fill(Qt::red);
    ASSERT_TRUE(writer.SaveImageFile(Picture(gif), dir.file(u"flag.gif"_s)));
    QImage jpeg(30, 60, QImage::Format_RGB32);
    jpeg.fill(Qt::red);
    ASSERT_TRUE(jpeg.save(dir.file(u"post.jpg"_s), "JPEG"));

    struct Seen
    {
        QStringList lines;
        QRect thumbnail;
        QRgb centre = 0;
    };
    Seen flag, post;
    ModalDriver driver;
    driver.then(onDialog([&](QFileDialog *dialog) {
        PreviewStrip *strip = stripOf(dialog);
        ASSERT_NE(strip, nullptr);
        const auto look = [&](const QString &name, Seen &seen) {
            typeName(dialog, name);
            seen.lines = strip->lines();
            seen.thumbnail = strip->thumbnailRect();
            seen.centre = pixel(strip, seen.thumbnail.center().x(), seen.thumbnail.center().y());
        };
        look(u"flag.gif"_s, flag);
        look(u"post.jpg"_s, post);
        dialog->reject();
    }));
    EXPECT_EQ(component.OpenImageWithPreview(), QString());

    const auto sizeText = [this](const QString &name) {
        const double kb = double(QFileInfo(dir.file(name)).size()) / 1024.0;
        return u"Filesize : "_s + QString::number(kb, 'f', 2) + u" Kb"_s;
    };
    EXPECT_TRUE(flag.lines == (QStringList{sizeText(u"flag.gif"_s), u"Image Height : 32 Pixels"_s,
                                           u"Image Width : 64 Pixels"_s}))
        << flag.lines.join(u'|').toStdString();
    EXPECT_EQ(flag.thumbnail, QRect(320, 18, 80, 40));
    EXPECT_EQ(QColor(flag.centre), QColor(Qt::red));
    EXPECT_TRUE(post.lines == (QStringList{sizeText(u"post.jpg"_s), u"Image Height : 60 Pixels"_s,
                                           u"Image Width : 30 Pixels"_s}))
        << post.lines.join(u'|').toStdString();
    EXPECT_EQ(post.thumbnail, QRect(320, 18, 40, 80));
    EXPECT_GT(qRed(post.centre), 200); // JPEG keeps red close, not exact
    EXPECT_LT(qGreen(post.centre), 60);
}

TEST(OpenFile, ANameOfNoExistingFileIsNotAccepted)
{
    TempDir dir;
    OpenImage component;
    component.setInitDir(dir.path());
    bool openEnabled = true;
    bool stillOpen = false;
    ModalDriver driver;
    driver.then(acceptWith(u"missing.bmp"_s, &openEnabled)); // pressed all the same
    driver.then(onDialog([&](QFileDialog *dialog) {
        stillOpen = dialog->isVisible();
        dialog->reject();
    }));
    EXPECT_EQ(component.OpenFile(), QString());
    EXPECT_TRUE(driver.finished());
    EXPECT_FALSE(openEnabled);
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(QFileInfo::exists(dir.file(u"missing.bmp"_s)));
}
