#include "dialogs/FileDialogHook.h"

#include "dialogs/PreviewLayout.h"
#include "dialogs/PreviewStrip.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace tessaly {

FileDialogHook::FileDialogHook(QFileDialog &dialog, PreviewState &state, bool preview)
    : QObject(&dialog), m_dialog(dialog), m_state(state)
{
    if (!preview)
        return;
    m_strip = new PreviewStrip(&dialog);
    // The dialog's own controls keep their place; the strip takes the band below them.
    if (QLayout *layout = dialog.layout()) {
        QMargins margins = layout->contentsMargins();
        margins.setBottom(margins.bottom() + PreviewLayout::StripHeight);
        layout->setContentsMargins(margins);
    }
    m_fileNameBox = dialog.findChild<QLineEdit *>(u"fileNameEdit"_s);
    if (!m_fileNameBox)
        m_fileNameBox = dialog.findChild<QLineEdit *>();
    if (m_fileNameBox)
        connect(m_fileNameBox, &QLineEdit::textChanged, this, &FileDialogHook::notify);
    connect(&dialog, &QFileDialog::currentChanged, this, &FileDialogHook::notify);
    connect(&dialog, &QFileDialog::directoryEntered, this, &FileDialogHook::notify);
    dialog.installEventFilter(this);
}

bool FileDialogHook::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_dialog) {
        if (event->type() == QEvent::Show && !m_initialised)
            initDialog();
        else if (event->type() == QEvent::Resize)
            placeStrip();
    }
    return QObject::eventFilter(watched, event);
}

void FileDialogHook::initDialog()
{
    m_initialised = true;
    const QSize before = m_dialog.frameGeometry().size();
    m_state.dialogSize = before;
    const QScreen *screen = m_dialog.screen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize();
    const QRect target = PreviewLayout::centredAndEnlarged(before, screenSize);
    m_dialog.move(target.topLeft());
    m_dialog.resize(m_dialog.width(), m_dialog.height() + PreviewLayout::StripHeight);
    placeStrip();
    notify();
}

void FileDialogHook::placeStrip()
{
    if (!m_strip)
        return;
    m_strip->setGeometry(0, m_dialog.height() - PreviewLayout::StripHeight, m_dialog.width(),
                         PreviewLayout::StripHeight);
    m_strip->raise();
}

void FileDialogHook::notify()
{
    if (m_fileNameBox)
        m_state.fileNameText = m_fileNameBox->text();
    if (!m_state.fileNameText.isEmpty()) {
        // A relative name is the dialog's folder's, not the process's working folder's.
        const QString fullPath = QDir::cleanPath(
            QDir(m_dialog.directory()).absoluteFilePath(m_state.fileNameText));
        if (QFileInfo::exists(fullPath)) {
            m_state.previewPath = fullPath;
            QImageReader reader(fullPath);
            reader.setAutoTransform(false);
            m_state.picture = QFileInfo(fullPath).isFile() ? reader.read() : QImage();
        }
    }
    showPreview();
}

void FileDialogHook::showPreview()
{
    if (!m_strip)
        return;
    const bool hasPicture = !m_state.picture.isNull();
    const qint64 size = hasPicture ? QFileInfo(m_state.previewPath).size() : 0;
    m_strip->setPreview(m_state.picture, PreviewLayout::texts(m_state.fileNameText, hasPicture,
                                                              size, m_state.picture.size()));
}

} // namespace tessaly
