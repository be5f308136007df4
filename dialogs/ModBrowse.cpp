#include "dialogs/ModBrowse.h"

#include "dialogs/FolderDialog.h"
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
    connect(&dialog, &FolderDialog::selectionChanged, this,
            [this, &dialog](const QString &path) {
                BrowseCallbackProc(dialog, BFFM_SELCHANGED, path);
            });
    m_dialog = &dialog;
    emit dialogOpening(&dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    emit dialogClosing(&dialog);
    return accepted ? dialog.selectedPath() : QString();
}

void ModBrowse::BrowseCallbackProc(FolderDialog &dialog, BrowseMessage message,
                                   const QString &path)
{
    m_dialog = &dialog;
    switch (message) {
    case BFFM_INITIALIZED: {
        if (!m_rectangleSaved)
            m_savedRectangle = dialog.frameGeometry();
        // After a "Create" this puts the reopened dialog exactly where the user had it.
        const QSize frame = dialog.frameGeometry().size() - dialog.size();
        dialog.move(m_savedRectangle.topLeft());
        dialog.resize(m_savedRectangle.size() - frame);
        dialog.setSelectionPath(m_selectionPath);
        HelperPlacement::buttonRowOffset(dialog, m_savedRectangle, m_buttonRowOffset);
        break;
    }
    case BFFM_SELCHANGED:
        if (!path.isEmpty())
            dialog.setStatusText(path);
        break;
    }
}

void ModBrowse::saveRectangle(const QRect &rect)
{
    m_savedRectangle = rect;
    m_rectangleSaved = true;
}

} // namespace tessaly
