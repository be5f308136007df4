#include "dialogs/ModBrowse.h"

#include "dialogs/FolderDialog.h"
#include "dialogs/FramedWindow.h"
#include "dialogs/HelperPlacement.h"

namespace tessaly {

ModBrowse::ModBrowse(QObject *parent) : QObject(parent) {}

QString ModBrowse::BrowseForFolderPath(const QString &initialFolder, QWidget *owner,
                                       const QString &title)
{
    m_selectionPath = initialFolder;
    FolderDialog dialog(owner, title);
    connect(&dialog, &FolderDialog::initialized, this,
            [this, &dialog] { BrowseCallbackProc(dialog, BFFM_INITIALIZED); });
    connect(&dialog, &FolderDialog::selectionChanged, this, [this, &dialog](const QString &path) {
        BrowseCallbackProc(dialog, BFFM_SELCHANGED, path);
    });
    if (m_rectangleSaved) {
        // Placed and sized before it is shown, so that the window appears where the user
        // had it instead of jumping there, and its buttons are in their final row when
        // the callback measures them. A window's position includes its frame; its size
        // does not.
        FramedWindow::moveTo(dialog, m_savedRectangle.topLeft());
        dialog.resize(m_savedRectangle.size() - m_savedFrame);
    }
    m_dialog = &dialog;
    emit dialogOpening(&dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    emit dialogClosing(&dialog);
    return accepted ? dialog.selectedPath() : QString();
}

void ModBrowse::BrowseCallbackProc(FolderDialog &dialog, BrowseMessage message, const QString &path)
{
    m_dialog = &dialog;
    switch (message) {
    case BFFM_INITIALIZED: {
        // The dialog is on the screen with its frame by now.
        const QRect current = dialog.screenRect();
        if (!m_rectangleSaved)
            m_savedRectangle = current;
        // After a "Create" this puts the reopened dialog exactly where the user had it,
        // should the window manager have placed it elsewhere.
        if (current != m_savedRectangle) {
            FramedWindow::moveTo(dialog, m_savedRectangle.topLeft());
            dialog.resize(m_savedRectangle.size() - (current.size() - dialog.size()));
        }
        dialog.setSelectionPath(m_selectionPath);
        // Measured against the frame as it is now: the distance does not change with a
        // move still on its way.
        HelperPlacement::buttonRowOffset(dialog, current, m_buttonRowOffset);
        break;
    }
    case BFFM_SELCHANGED:
        if (!path.isEmpty())
            dialog.setStatusText(path);
        break;
    }
}

void ModBrowse::saveRectangle(const FolderDialog &dialog)
{
    m_savedRectangle = dialog.screenRect();
    m_savedFrame = m_savedRectangle.size() - dialog.size();
    m_rectangleSaved = true;
}

} // namespace tessaly
