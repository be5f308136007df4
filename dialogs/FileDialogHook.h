#pragma once

#include "dialogs/PreviewState.h"
#include "dialogs/PreviewStrip.h"

#include <QObject>
#include <QPointer>

class QFileDialog;
class QLineEdit;

namespace tessaly {

/// Installed in every file dialog. Inert unless the dialog previews images; then it
/// centres the dialog on the screen when it first shows, grows it by the preview strip,
/// and follows the file-name box: whenever it names an existing file, that file's picture
/// is loaded into the preview.
class FileDialogHook : public QObject
{
    Q_OBJECT
public:
    /// Becomes a child of `dialog`. `state` must outlive the dialog.
    FileDialogHook(QFileDialog &dialog, PreviewState &state, bool preview);

    PreviewStrip *strip() const { return m_strip; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void initDialog();
    void notify();
    void showPreview();
    void placeStrip();

    QFileDialog &m_dialog;
    PreviewState &m_state;
    QPointer<PreviewStrip> m_strip;
    QPointer<QLineEdit> m_fileNameBox;
    bool m_initialised = false;
};

} // namespace tessaly
