// The open and save dialogs, and the open dialog with the image preview strip.
#include "dialogs/FileDialogHook.h"
#include "dialogs/OpenImage.h"
#include "dialogs/PreviewLayout.h"
#include "dialogs/PreviewStrip.h"

#include "support/DialogSteps.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QWindow>

#include <gtest/gtest.h>

using namespace tessaly;
using namespace Qt::StringLiterals;
using namespace dialogsteps;

const QChar Nul(u'\0');
const QString BitmapFilter = u"Bitmap (*.bmp) "_s + Nul + u"*.bmp"_s;

// A folder with two pictures and a file that is none, which the dialogs open on.
class FileDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeBitmap(dir.file(u"wide.bmp"_s), 640, 480, Qt::red);
        writeBitmap(dir.file(u"tall.bmp"_s), 300, 400, Qt::red);
        writeFile(dir.file(u"note.txt"_s), "not a picture");
        component.setInitDir(dir.path());
    }

    QStringList figures(const QString &name, int height, int width) const
    {
        const double kb = double(QFileInfo(dir.file(name)).size()) / 1024.0;
        return {u"Filesize : "_s + QString::number(kb, 'f', 2) + u" Kb"_s,
                u"Image Height : %1 Pixels"_s.arg(height), u"Image Width : %1 Pixels"_s.arg(width)};
    }

    TempDir dir;
    OpenImage component;
};

TEST_F(FileDialog, OpenFileWithEmptyPropertiesGetsTheDefaultsWrittenBack)
{
    component.setInitDir(QString());
    ModalDriver driver;
    driver.then(onDialog([](QFileDialog *dialog) {
        EXPECT_EQ(comboItems(dialog), QStringList{u"All Files (*.*)"_s});
        EXPECT_EQ(dialog->directory().absolutePath(), u"/"_s);
        EXPECT_EQ(dialog->windowTitle(), QGuiApplication::applicationDisplayName());
        dialog->reject();
    }));
    EXPECT_EQ(component.OpenFile(), QString());
    // Written back as the dialog showed them.
    EXPECT_EQ(component.filter(), u"All Files (*.*)"_s + Nul + u"*.*"_s + Nul);
    EXPECT_EQ(component.initDir(), u"/"_s);
    EXPECT_EQ(component.title(), QGuiApplication::applicationDisplayName());
    EXPECT_EQ(component.module().lastRequest().flags, 0x80020);
}

// A name of no existing file is refused first: Open stays disabled and, pressed all the
// same, leaves the dialog open for the next name.
TEST_F(FileDialog, OpenFileReturnsTheChosenFileWithTheCallersSettingsButNoNameOfAMissingFile)
{
    component.setFilter(BitmapFilter);
    component.setFlags(5);
    component.setTitle(u"Load Watermark BMP file"_s);
    bool openEnabled = true;
    ModalDriver driver;
    driver.then(onDialog([this](QFileDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), u"Load Watermark BMP file"_s);
        EXPECT_EQ(comboItems(dialog), QStringList{u"Bitmap (*.bmp)"_s});
        EXPECT_EQ(dialog->directory().absolutePath(), dir.path());
    }));
    driver.then(acceptWith(u"missing.bmp"_s, &openEnabled));
    driver.then(acceptWith(u"tall.bmp"_s));
    EXPECT_EQ(component.OpenFile(), dir.file(u"tall.bmp"_s));
    EXPECT_FALSE(openEnabled);
    EXPECT_EQ(component.module().lastRequest().flags, 5 | 0x80020);
    EXPECT_FALSE(component.module().lastRequest().preview);
    EXPECT_EQ(component.filter(), BitmapFilter); // a given filter stays as it was
}

TEST_F(FileDialog, ASecondOpenDialogPreselectsTheTypeChosenInTheFirst)
{
    component.setFilter(BitmapFilter + Nul + u"All Files (*.*)"_s + Nul + u"*.*"_s + Nul);

    ModalDriver driver;
    driver.then(onDialog(
        [](QFileDialog *dialog) { dialog->selectNameFilter(dialog->nameFilters().at(1)); }));
    driver.then(acceptWith(u"note.txt"_s));
    EXPECT_EQ(component.OpenFile(), dir.file(u"note.txt"_s));
    EXPECT_EQ(component.module().filterIndex(), 1);

    QString shown;
    QStringList offered;
    driver.then(onDialog([&](QFileDialog *dialog) {
        // The list as shown: with details hidden the selected filter is the bare description.
        if (auto *combo = dialog->findChild<QComboBox *>(u"fileTypeCombo"_s))
            shown = combo->currentText();
        offered = dialog->nameFilters();
        dialog->reject();
    }));
    EXPECT_EQ(component.OpenFile(), QString());
    ASSERT_EQ(offered.size(), 2);
    EXPECT_EQ(shown, u"All Files (*.*)"_s);
    EXPECT_EQ(component.module().filterIndex(), 1); // a cancel keeps the last choice
}

TEST_F(FileDialog, SaveFileReturnsTheTypedNameWithoutCreatingItAndNothingOnCancel)
{
    component.setFilter(BitmapFilter);

    bool saveMode = false;
    ModalDriver driver;
    driver.then(onDialog(
        [&](QFileDialog *dialog) { saveMode = dialog->acceptMode() == QFileDialog::AcceptSave; }));
    driver.then(acceptWith(u"new.bmp"_s));
    EXPECT_EQ(component.SaveFile(), dir.file(u"new.bmp"_s));
    EXPECT_TRUE(saveMode);
    EXPECT_FALSE(QFileInfo::exists(dir.file(u"new.bmp"_s)));

    // Without the overwrite-prompt flag an existing name is taken as it is.
    driver.then(acceptWith(u"wide.bmp"_s));
    EXPECT_EQ(component.SaveFile(), dir.file(u"wide.bmp"_s));

    driver.then(onDialog([](QFileDialog *dialog) { dialog->reject(); }));
    EXPECT_EQ(component.SaveFile(), QString());
}

TEST_F(FileDialog, PreviewGrowsByTheStripCentredByItsFormerSizeAndReturnsTheChosenPicture)
{
    QRect frame;
    QRect strip;
    bool timerRuns = false;
    int clientHeight = -1;
    int controlsBottom = -1;
    QStringList types;
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    QElapsedTimer sincePlaced;
    ModalDriver driver;
    // Measured once the dialog is framed and centred, and the window manager has moved it.
    driver.then([&] {
        auto *dialog = ModalDriver::modal<QFileDialog>();
        const auto *hook = dialog ? dialog->findChild<FileDialogHook *>() : nullptr;
        if (!hook || !hook->placed())
            return false;
        if (!sincePlaced.isValid())
            sincePlaced.start();
        frame = dialog->windowHandle()->frameGeometry();
        const QSize before = component.module().previewState().dialogSize;
        if (frame != PreviewLayout::centredAndEnlarged(before, screen) &&
            sincePlaced.elapsed() < 3000)
            return false;
        timerRuns = component.timer1().isActive() && component.timer1().interval() == 100;
        clientHeight = dialog->height();
        if (PreviewStrip *preview = dialog->findChild<PreviewStrip *>())
            strip = preview->geometry();
        if (auto *buttons = dialog->findChild<QDialogButtonBox *>())
            controlsBottom = buttons->geometry().bottom();
        types = comboItems(dialog);
        return true;
    });
    driver.then(acceptWith(u"tall.bmp"_s));
    EXPECT_EQ(component.OpenImageWithPreview(), dir.file(u"tall.bmp"_s));

    const QSize before = component.module().previewState().dialogSize;
    EXPECT_EQ(frame, PreviewLayout::centredAndEnlarged(before, screen));
    EXPECT_EQ(strip.height(), 107);
    // The strip is the bottom band of the client area, inside any window frame.
    EXPECT_EQ(strip.bottom(), clientHeight - 1);
    EXPECT_LT(controlsBottom, strip.top()); // the dialog's own controls stay clear of it
    EXPECT_EQ(types, QStringList{u"Image files"_s});
    EXPECT_EQ(component.module().lastRequest().flags, 5 | 0x80020);
    // The strip is repainted every 100 ms while the dialog is open, and no longer after.
    EXPECT_TRUE(timerRuns);
    EXPECT_FALSE(component.timer1().isActive());
}

TEST_F(FileDialog, PreviewFollowsTheFileNameBoxForAnyPictureTheToolkitReads)
{
    // Any picture the toolkit reads shows, not only bitmaps.
    QImage png(64, 32, QImage::Format_RGB32);
    png.fill(Qt::red);
    ASSERT_TRUE(png.save(dir.file(u"flag.png"_s), "PNG"));

    const QStringList na{u"Filesize : N/A"_s, u"Image Height : N/A"_s, u"Image Width : N/A"_s};
    struct Row
    {
        QString name;
        QStringList lines;
        QRect thumbnail;
        bool red; // the thumbnail shown is the picture's
    };
    const Row rows[] = {
        {u"wide.bmp"_s, figures(u"wide.bmp"_s, 480, 640), {320, 18, 80, 60}, true},
        {u"missing.bmp"_s, figures(u"wide.bmp"_s, 480, 640), {320, 18, 80, 60}, false},
        {u"tall.bmp"_s, figures(u"tall.bmp"_s, 400, 300), {320, 18, 60, 80}, true},
        {QString(), na, {320, 18, 60, 80}, false}, // the last thumbnail stays
        {u"note.txt"_s, na, QRect(), false},
        {u"flag.png"_s, figures(u"flag.png"_s, 32, 64), {320, 18, 80, 40}, true},
    };
    ModalDriver driver;
    driver.then(onDialog([&](QFileDialog *dialog) {
        PreviewStrip *strip = dialog->findChild<PreviewStrip *>();
        ASSERT_NE(strip, nullptr);
        EXPECT_TRUE(strip->lines() == na); // as the dialog opens
        for (const Row &row : rows) {
            SCOPED_TRACE(row.name.toStdString());
            typeName(dialog, row.name);
            EXPECT_TRUE(strip->lines() == row.lines) << strip->lines().join(u'|').toStdString();
            const QRect t = strip->thumbnailRect();
            EXPECT_EQ(t, row.thumbnail);
            if (t.isNull()) { // a file that is no picture
                EXPECT_EQ(component.module().previewState().previewPath, dir.file(row.name));
            }
            if (!row.red)
                continue;
            const QImage image = strip->grab().toImage();
            EXPECT_EQ(QColor(image.pixel(t.center())), QColor(Qt::red));
            // Nothing red beside or below the thumbnail.
            EXPECT_NE(QColor(image.pixel(t.right() + 6, t.top() + 22)), QColor(Qt::red));
            EXPECT_NE(QColor(image.pixel(t.center().x(), t.bottom() + 5)), QColor(Qt::red));
        }
        dialog->reject();
    }));
    EXPECT_EQ(component.OpenImageWithPreview(), QString());
}
