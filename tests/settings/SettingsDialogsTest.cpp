// "Browse" and "Load Watermark" through the real folder browser and file dialog, driven as a
// user would; what the dialogs refuse is the dialogs' own tests'.
#include "SettingsWindowRig.h"
#include "dialogs/InitialFolder.h"
#include "support/DialogSteps.h"

using namespace tessaly;
using namespace tessaly::settingsrig;
using namespace dialogsteps;

TEST_F(SettingsWindow, BrowseAndLoadWatermarkTakeWhatIsChosenInTheRealDialogs)
{
    const QString data = dir.file(u"Data"_s);
    ASSERT_TRUE(QDir().mkpath(data));
    const auto window = open();

    QString title, openedOn;
    bool createShown = false;
    ModalDriver driver;
    driver.then(onFolderDialog(
        [&](FolderDialog *dialog) {
            title = dialog->titleText();
            openedOn = dialog->selectedPath();
            createShown = helperOf(dialog)->command1()->isVisible();
            dialog->setSelectionPath(data); // the user walks to Data
            dialog->okButton()->click();
        },
        nullptr, true));
    window->Command2_Click();
    EXPECT_EQ(title, u"Save Files To"_s);
    EXPECT_EQ(openedOn, InitialFolder::desktop());
    EXPECT_TRUE(createShown);
    EXPECT_EQ(window->saveLocation(), data + u"/"_s);

    const QString chosen = writeBitmap(dir.file(u"mark.bmp"_s), 24, 12, qRgb(255, 0, 255));
    window->openImage1().setInitDir(dir.path()); // overwritten: the dialog opens on the desktop
    SeenFileDialog seen;
    driver.then(look(seen, [this](QFileDialog *dialog) {
        dialog->setDirectory(dir.path()); // the user walks to the folder
    }));
    driver.then(acceptWith(u"mark.bmp"_s));
    window->Command3_Click();
    EXPECT_EQ(seen.caption, u"Load Watermark BMP file"_s);
    EXPECT_EQ(seen.folder, InitialFolder::desktop());
    EXPECT_EQ(seen.types, QStringList{u"Bitmap (*.bmp)"_s});
    EXPECT_EQ(window->openImage1().initDir(), u"Desktop"_s);
    EXPECT_EQ(contentOf(store.watermarkFile()), contentOf(chosen));
}
