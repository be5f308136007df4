#pragma once

#include "dialogs/PreviewState.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

class QFileDialog;

namespace tessaly {

/// The parameters one file dialog ran with, defaults filled in.
struct FileDialogRequest
{
    QPointer<QWidget> owner;
    QStringList nameFilters;
    int flags = 0; ///< as handed to the dialog: the caller's flags | Explorer | hook
    QString initialFolder;
    QString title;
    bool preview = false;
    bool save = false;
};

/// Runs the open and save file dialogs and keeps what lasts from one dialog to the next:
/// the file type last chosen (preselected next time) and the image preview's state. One
/// dialog runs at a time.
class CmnDialog
{
public:
    static constexpr int OFN_READONLY = 0x1;
    static constexpr int OFN_OVERWRITEPROMPT = 0x2;
    static constexpr int OFN_HIDEREADONLY = 0x4;
    static constexpr int OFN_ENABLEHOOK = 0x20;
    static constexpr int OFN_EXPLORER = 0x80000;

    /// Asks for an existing file. Empty `filter`, `initDir` and `title` are replaced, in
    /// the caller's variables too, by FileFilter::defaultFilter(), the file system root and
    /// the application's name. `preview` adds the image preview strip. Returns the chosen
    /// path, or "" when the user cancelled.
    QString ShowOpenDialog(QWidget *owner, QString &filter, int &flags, QString &initDir,
                           QString &title, bool preview);
    /// Asks for a file name to save under, as ShowOpenDialog. An existing file is confirmed
    /// only when `flags` hold OFN_OVERWRITEPROMPT.
    QString ShowSaveDialog(QWidget *owner, QString &filter, int &flags, QString &initDir,
                           QString &title);

    /// Position of the file type chosen in the last accepted dialog (0: the first).
    int filterIndex() const { return m_filterIndex; }
    const FileDialogRequest &lastRequest() const { return m_request; }
    const PreviewState &previewState() const { return m_preview; }

    /// The preview timer of the component hosting this module, started by an image dialog
    /// and stopped when that dialog goes; none when nothing published one.
    void setPreviewTimer(QTimer *timer) { m_previewTimer = timer; }

private:
    static void selectFilterIndex(QFileDialog &dialog, int index);
    static int selectedFilterIndex(const QFileDialog &dialog, const QStringList &nameFilters);
    QString run(QWidget *owner, QString &filter, int &flags, QString &initDir, QString &title,
                bool preview, bool save);

    int m_filterIndex = 0;
    FileDialogRequest m_request;
    PreviewState m_preview;
    QPointer<QTimer> m_previewTimer;
};

} // namespace tessaly
