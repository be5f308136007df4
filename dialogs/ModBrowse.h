#pragma once

#include "dialogs/FolderDialog.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <cstdint>

namespace tessaly {

/// Runs the folder dialog and keeps what the dialog, the helper window and the component
/// share for the whole run: the open dialog, the rectangle saved at the last "Create"
/// (every later dialog reopens there), the row of the dialog's buttons and the last
/// include-subfolders answer.
class ModBrowse : public QObject
{
    Q_OBJECT
public:
    enum BrowseMessage
    {
        BFFM_INITIALIZED = 1,
        BFFM_SELCHANGED = 2
    };

    explicit ModBrowse(QObject *parent = nullptr);

    /// One opening of the dialog, with `initialFolder` preselected and `title` above the
    /// tree. Returns the chosen folder, or "" when the user cancelled.
    QString BrowseForFolderPath(const QString &initialFolder, QWidget *owner, const QString &title);

    /// The dialog's callback: on BFFM_INITIALIZED it moves the dialog to the saved
    /// rectangle, preselects the initial folder and measures the button row; on
    /// BFFM_SELCHANGED it shows `path` in the status line.
    void BrowseCallbackProc(FolderDialog &dialog, BrowseMessage message,
                            const QString &path = QString());

    /// The dialog now open, if any.
    FolderDialog *dialog() const { return m_dialog; }
    std::int16_t buttonRowOffset() const { return m_buttonRowOffset; }
    bool rectangleSaved() const { return m_rectangleSaved; }
    const QRect &savedRectangle() const { return m_savedRectangle; }
    /// Every later dialog of the run opens where `dialog` is now (its screen rectangle,
    /// frame included).
    void saveRectangle(const FolderDialog &dialog);

    bool includeSubfolders() const { return m_includeSubfolders; }
    void setIncludeSubfolders(bool include) { m_includeSubfolders = include; }

signals:
    /// A dialog is about to run, or has just stopped and is about to go.
    void dialogOpening(FolderDialog *dialog);
    void dialogClosing(FolderDialog *dialog);

private:
    QPointer<FolderDialog> m_dialog;
    QString m_selectionPath;
    QRect m_savedRectangle;
    QSize m_savedFrame; ///< what the frame added to the saved dialog's size
    bool m_rectangleSaved = false;
    std::int16_t m_buttonRowOffset = 0;
    bool m_includeSubfolders = false;
};

} // namespace tessaly
