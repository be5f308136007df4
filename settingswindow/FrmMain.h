#pragma once

#include "base/Result.h"
#include "capture/LiveSettings.h"
#include "dialogs/BFFC.h"
#include "dialogs/OpenImage.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class FrmMain;
}

namespace tessaly {

class SettingsStore;

/// The start window: the save folder, save-as type, watermark and silent-mode settings,
/// each written to the settings file the moment it changes, and "Begin", which opens the
/// capture window. Its controls are the capture window's live settings. Closing it ends
/// the program.
class FrmMain : public QWidget, public LiveSettings
{
    Q_OBJECT
public:
    /// Picks a folder with the configured folder browser (a path, or "" when cancelled).
    using FolderPicker = std::function<QString(BFFC &browser)>;
    /// Picks a bitmap file with the configured file dialog (a path, or "" when cancelled).
    using FilePicker = std::function<QString(OpenImage &dialog)>;
    /// Opens a file or address in the user's default program.
    using Opener = std::function<bool(const QUrl &)>;

    /// The maker's site, opened by the link label.
    static constexpr QStringView MakerSite = u"https://orvanel.example/";

    explicit FrmMain(SettingsStore &store, QWidget *parent = nullptr);
    ~FrmMain() override;

    /// Replaces running the dialogs themselves, for callers that answer for the user; the
    /// components are configured as for the real dialog first.
    void setFolderPicker(FolderPicker picker) { m_folderPicker = std::move(picker); }
    void setWatermarkPicker(FilePicker picker) { m_watermarkPicker = std::move(picker); }

    /// The folder browser "Browse" uses and the file dialog "Load Watermark" uses.
    BFFC &browse1() { return Browse1; }
    OpenImage &openImage1() { return OpenImage1; }
    void setOpener(Opener opener) { m_opener = std::move(opener); }

    // LiveSettings: the controls as they are now.
    QString saveLocation() const override;
    QString saveType() const override;
    int watermarkSwitch() const override;
    int silentSwitch() const override;

    /// Writes `bytes` as the whole of `target`, replacing it only with a complete file;
    /// fails, with the reason, when the file was left as it was.
    static Result<void> WriteWholeFile(const QByteArray &bytes, const QString &target);

    /// The title for a version: "Tessaly v1.0.0 By Orvanel".
    static QString titleFor(int major, int minor, int revision);

    // Handlers, public so the window can be driven as a user would.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Label11_Click();

signals:
    /// "Begin" was pressed with a valid folder and type: show the capture window.
    void captureWindowRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void writeSetting(const std::function<Result<void>()> &write);
    void showWriteFailure(const QString &message);
    void message(const QString &text);

    std::unique_ptr<Ui::FrmMain> m_ui;
    SettingsStore &m_store;
    FolderPicker m_folderPicker;
    FilePicker m_watermarkPicker;
    Opener m_opener;
    BFFC Browse1;
    OpenImage OpenImage1;
    /// Set while the window fills its controls from the file: what it shows was read there,
    /// and writing it back would cut values longer than a read returns.
    bool m_loading = false;
    bool m_writeFailureShown = false;
};

} // namespace tessaly
