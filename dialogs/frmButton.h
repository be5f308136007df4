#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

class QCheckBox;
class QPushButton;

namespace tessaly {

class FolderDialog;
class ModBrowse;

/// The small borderless window that floats over the folder dialog's bottom-left corner,
/// level with its buttons, carrying the extra command: the "Create" button or the
/// "    INCLUDE SUBFOLDERS" check box. Every 100 ms it finds the open dialog and follows it.
///
/// While a dialog runs the helper is a tool window of that dialog, so the dialog's
/// modality leaves it usable and it stays above the dialog.
class frmButton : public QWidget
{
    Q_OBJECT
public:
    explicit frmButton(ModBrowse &module, QWidget *parent = nullptr);
    ~frmButton() override;

    /// Runs the dialog with `iniitdir` preselected ("" is the file system root) and
    /// `YourMessage` above the tree ("" is "Select a Folder"), showing `Create` or
    /// `Recurse` as asked. After a "Create" it makes the new folder and reopens the dialog
    /// on it. Returns the chosen folder, or "" when the user cancelled. Closes the helper
    /// at the end, recording the check box's state as the include-subfolders answer.
    QString Browse(QWidget *ownerform, bool Create, bool Recurse,
                   const QString &iniitdir = QString(), const QString &YourMessage = QString());

    QCheckBox *check1() const { return Check1; }
    QPushButton *command1() const { return Command1; }
    const QTimer &timer1() const { return Timer1; }
    /// The dialog's screen rectangle as the last tick found it.
    const QRect &dialogRect() const { return m_dialogRect; }

private:
    void Timer1_Timer();
    void Check1_MouseDown();
    void Check1_MouseUp();
    void Command1_MouseDown();
    void Command1_MouseUp();
    void CreateNewFolder();
    void Form_QueryUnload();
    void keepAboveDialog();
    void attach(FolderDialog *dialog);
    void detach(FolderDialog *dialog);
    void warn(const QString &text);

    ModBrowse &m_module;
    QCheckBox *Check1 = nullptr;
    QPushButton *Command1 = nullptr;
    QTimer Timer1;
    QRect m_dialogRect;
    QPointer<QWidget> m_owner;
    QString m_folderText;
    QString m_newFolderName;
    bool m_createRequested = false;
    QString m_title;
};

} // namespace tessaly
