#pragma once

#include <QDialog>
#include <QRect>
#include <QString>

class QFileSystemModel;
class QLabel;
class QModelIndex;
class QPushButton;
class QTreeView;

namespace tessaly {

/// The folder dialog: the caller's text above a tree of the file system's folders, a
/// status line with the full path of the selection, and OK and Cancel at the bottom right
/// (the bottom-left corner stays free for the browser's helper window).
class FolderDialog : public QDialog
{
    Q_OBJECT
public:
    FolderDialog(QWidget *owner, const QString &title);

    /// Selects and reveals `path` ("Desktop" for the desktop folder; a missing folder
    /// selects its nearest existing ancestor).
    void setSelectionPath(const QString &path);
    /// The selected folder's path; "" when none is selected.
    QString selectedPath() const;

    void setStatusText(const QString &text);
    QString statusText() const;
    QString titleText() const;

    /// The dialog's rectangle on the screen with the window manager's frame, as the window
    /// system has it now.
    QRect screenRect() const;

    /// True once initialized() was sent: the dialog is framed, placed and preselected.
    bool isInitialized() const { return m_initialized; }

    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

signals:
    /// The dialog has appeared with its frame; its geometry and buttons are laid out.
    void initialized();
    /// Another folder was selected.
    void selectionChanged(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void announce();
    void currentChanged(const QModelIndex &current);

    QLabel *m_title = nullptr;
    QTreeView *m_tree = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QFileSystemModel *m_model = nullptr;
    bool m_announced = false;
    bool m_initialized = false;
};

} // namespace tessaly
