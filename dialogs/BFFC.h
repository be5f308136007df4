#pragma once

#include "dialogs/ModBrowse.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tessaly {

/// The folder browser component a window hosts: set its properties, call SaveBrowse or
/// OpenBrowse, get the chosen folder back ("" when the user cancelled).
class BFFC
{
public:
    /// Owner window of the dialog.
    void setParentForm(QWidget *window) { m_parentForm = window; }
    /// The folder preselected in the dialog; "Desktop" is the user's desktop.
    void setInitDir(const QString &folder) { m_initDir = folder; }
    /// The text above the folder tree (not the caption).
    void setTitle(const QString &title) { m_title = title; }
    /// Shows the "Create" button in SaveBrowse.
    void setShowCreate(bool show) { m_showCreate = show; }
    /// Shows the "    INCLUDE SUBFOLDERS" check box in OpenBrowse.
    void setShowRecurse(bool show) { m_showRecurse = show; }
    /// The check box's state at the end of the last browse.
    bool DoRecurse() const { return m_module.includeSubfolders(); }

    /// Asks for a folder to save into, with "Create" when ShowCreate is set.
    QString SaveBrowse();
    /// Asks for a folder to open, with the check box when ShowRecurse is set.
    QString OpenBrowse();

    ModBrowse &module() { return m_module; }

private:
    QString browse(bool create, bool recurse);

    QPointer<QWidget> m_parentForm;
    QString m_initDir;
    QString m_title;
    bool m_showCreate = false;
    bool m_showRecurse = false;
    ModBrowse m_module;
};

} // namespace tessaly
