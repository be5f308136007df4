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

    ModalDriver driver;
    driver.then(onFolderDialog(
        [&](FolderDialog *dialog) {
            EXPECT_EQ(dialog->titleText(), u"Save Files To"_s);
            EXPECT_EQ(dialog->selectedPath(), InitialFolder::desktop());
            EXPECT_TRUE(helperOf(dialog)->command1()->isVisible());
            dialog->setSelectionPath(data); // the user walks to Data
            dialog->okButton()->click();
        },
        nullptr, true));
    window->Command2_Click();
    EXPECT_EQ(window->saveLocation(), data + u"/"_s);

    const QString chosen = writeBitmap(dir.file(u"mark.bmp"_s), 24, 12, qRgb(255, 0, 255));
    window->openImage1().setInitDir(dir.path()); // overwritten: the dialog opens on the desktop
    driver.then(onDialog([this](QFileDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), u"Load Watermark BMP file"_s);
        EXPECT_EQ(dialog->directory().absolutePath(), InitialFolder::desktop());
        EXPECT_EQ(comboItems(dialog), QStringList{u"Bitmap (*.bmp)"_s});
        dialog->setDirectory(dir.path()); // the user walks to the folder
    }));
    driver.then(acceptWith(u"mark.bmp"_s));
    window->Command3_Click();
    EXPECT_EQ(window->openImage1().initDir(), u"Desktop"_s);
    EXPECT_EQ(contentOf(store.watermarkFile()), contentOf(chosen));
}
