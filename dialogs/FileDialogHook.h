#pragma once

#include "dialogs/PreviewState.h"
#include "dialogs/PreviewStrip.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QFileDialog;
class QLineEdit;

namespace tessaly {

/// Installed in every file dialog. Inert unless the dialog previews images; then it grows
/// the dialog by the preview strip when it first shows, centres it on the screen by its
/// former size once the window manager has framed it,
/// and follows the file-name box: whenever it names an existing file, that file's picture
/// is loaded into the preview.
class FileDialogHook : public QObject
{
    Q_OBJECT
public:
    /// Becomes a child of `dialog`. `state` must outlive the dialog. `previewTimer`, when
    /// given, repaints the strip at each tick until the dialog closes, then is stopped.
    FileDialogHook(QFileDialog &dialog, PreviewState &state, bool preview,
                   QTimer *previewTimer = nullptr);
    ~FileDialogHook() override;

    PreviewStrip *strip() const { return m_strip; }
    /// True once the shown dialog is framed and centred.
    bool placed() const { return m_placed; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void initDialog();
    void centreDialog();
    QString boxText() const;
    void nameTyped(const QString &text);
    void keepOnlyTypedSelected(const QString &text);
    void notify(const QString &fileNameText);
    /// Paints the strip from the preview state: thumbnail, size and dimensions.
    void Timer1_Timer();
    void placeStrip();

    QFileDialog &m_dialog;
    PreviewState &m_state;
    QPointer<PreviewStrip> m_strip;
    QPointer<QLineEdit> m_fileNameBox;
    QPointer<QTimer> m_timer;
    bool m_initialised = false;
    bool m_placed = false;
};

} // namespace tessaly
