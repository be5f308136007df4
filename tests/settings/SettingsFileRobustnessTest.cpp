// The settings window over files it cannot write, and watermarks it cannot use.
#include "SettingsWindowRig.h"

using namespace tessaly;
using namespace tessaly::settingsrig;

// How the disk refuses is SettingsStoreTest's; here that the window says so.
TEST(SettingsWindowBlocked, AWriteOrCopyThatFailsIsSaid)
{
    TempDir dir;
    writeFile(dir.file(QStringLiteral("blocker")), "x");
    SettingsStore store(SettingsLocation(dir.file(QStringLiteral("blocker/bin")),
                                         dir.file(QStringLiteral("blocker/config"))));
    const QString chosen = writeBitmap(dir.file(QStringLiteral("mark.bmp")), 12, 6);
    FrmMain window(store);
    window.show();
    window.setWatermarkPicker([&chosen](OpenImage &) { return chosen; });
    QLineEdit *text1 = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
    const QString saved = messageFrom([text1] { text1->setText(QStringLiteral("/srv/new/")); });
    EXPECT_TRUE(saved.contains(QStringLiteral("could not be saved"))) << saved.toStdString();
    // Typing writes at every keystroke: the failure is said once, not at each.
    EXPECT_EQ(messageFrom([text1] { text1->setText(QStringLiteral("/srv/newer/")); }), QString());
    const QString copied = messageFrom([&window] { window.Command3_Click(); });
    for (const char *part : {"could not be copied", "blocker", "No watermark is stored"})
        EXPECT_TRUE(copied.contains(QLatin1String(part))) << copied.toStdString();
}

TEST_F(SettingsWindow, AChosenWatermarkThatCannotBeReadOrIsNoWholePictureIsSaid)
{
    const QByteArray earlier =
        contentOf(writeBitmap(store.watermarkFile(), 20, 10, qRgb(0, 0, 255)));
    const QString cut = writeBitmap(dir.file(QStringLiteral("cut.bmp")), 64, 64);
    ASSERT_TRUE(QFile::resize(cut, QFileInfo(cut).size() / 2));
    // Sparse: 300 MB long, nothing of it on the disk.
    const QString vast = dir.file(QStringLiteral("vast.bmp"));
    writeFile(vast, {});
    ASSERT_TRUE(QFile::resize(vast, 300LL * 1024 * 1024));
    const QList<std::pair<QString, QString>> cases{
        {cut, QStringLiteral("cannot be used as a watermark")},
        {vast, QStringLiteral("larger than 256 MB")},
        {dir.file(QStringLiteral("missing.bmp")), QStringLiteral("cannot be read")},
    };
    const auto window = open();
    for (const auto &[chosen, message] : cases) {
        SCOPED_TRACE(chosen.toStdString());
        window->setWatermarkPicker([chosen](OpenImage &) { return chosen; });
        const QString said = messageFrom([&] { window->Command3_Click(); });
        EXPECT_TRUE(said.contains(message) && said.contains(chosen)) << said.toStdString();
        EXPECT_EQ(contentOf(store.watermarkFile()), earlier);
    }
}
