#pragma once

#include "dialogs/CmnDialog.h"

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace tessaly {

/// The file dialog component a window hosts: set its properties, call one method, get a
/// path back ("" when the user cancelled).
class OpenImage
{
public:
    OpenImage();
    OpenImage(const OpenImage &) = delete;
    OpenImage &operator=(const OpenImage &) = delete;

    /// Owner window of the dialog.
    void setParentForm(QWidget *window) { m_parentForm = window; }
    /// Description and pattern pairs, each ended by NUL ("Bitmap (*.bmp) ", NUL, "*.bmp").
    void setFilter(const QString &filter) { m_filter = filter; }
    /// Dialog option flags; 5 keeps the dialog free of a read-only check box.
    void setFlags(int flags) { m_flags = flags; }
    /// The folder the dialog opens in; "Desktop" is the user's desktop.
    void setInitDir(const QString &folder) { m_initDir = folder; }
    /// The dialog's caption.
    void setTitle(const QString &title) { m_title = title; }

    QWidget *parentForm() const { return m_parentForm; }
    const QString &filter() const { return m_filter; }
    int flags() const { return m_flags; }
    const QString &initDir() const { return m_initDir; }
    const QString &title() const { return m_title; }

    /// The component's `OpenImage` method (C++ keeps a class's own name for its
    /// constructors): the open dialog for images with a preview of the selected picture,
    /// its size and dimensions. Filter and flags are fixed; the properties' are not used.
    QString OpenImageWithPreview();
    /// Standard open file dialog.
    QString OpenFile();
    /// Standard save file dialog.
    QString SaveFile();

    const CmnDialog &module() const { return m_module; }
    /// Repaints the preview strip every 100 ms while an image dialog is open.
    const QTimer &timer1() const { return Timer1; }

private:
    QPointer<QWidget> m_parentForm;
    QString m_filter;
    int m_flags = 0;
    QString m_initDir;
    QString m_title;
    CmnDialog m_module;
    QTimer Timer1;
};

} // namespace tessaly
