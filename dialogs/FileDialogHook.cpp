#include "dialogs/FileDialogHook.h"

#include "dialogs/FramedWindow.h"
#include "dialogs/PreviewLayout.h"
#include "dialogs/PreviewStrip.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QItemSelectionModel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QScreen>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tessaly {

FileDialogHook::FileDialogHook(QFileDialog &dialog, PreviewState &state, bool preview,
                               QTimer *previewTimer)
    : QObject(&dialog), m_dialog(dialog), m_state(state)
{
    if (!preview)
        return;
    m_timer = previewTimer;
    if (m_timer) {
        connect(m_timer, &QTimer::timeout, this, &FileDialogHook::Timer1_Timer);
        // The timer paints for this dialog only: it stops when the dialog closes.
        connect(&dialog, &QDialog::finished, m_timer, &QTimer::stop);
    }
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
        connect(m_fileNameBox, &QLineEdit::textChanged, this, &FileDialogHook::nameTyped);
    connect(&dialog, &QFileDialog::currentChanged, this, [this] { notify(boxText()); });
    connect(&dialog, &QFileDialog::directoryEntered, this, [this] { notify(boxText()); });
    dialog.installEventFilter(this);
}

FileDialogHook::~FileDialogHook()
{
    if (m_timer)
        m_timer->stop();
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
    m_dialog.resize(m_dialog.width(), m_dialog.height() + PreviewLayout::StripHeight);
    placeStrip();
    notify(boxText());
    // Shown is not yet framed, and a size measured before that has no title bar.
    FramedWindow::whenFramed(m_dialog, [this] { centreDialog(); });
}

void FileDialogHook::centreDialog()
{
    m_placed = true;
    const QSize before =
        FramedWindow::geometry(m_dialog).size() - QSize(0, PreviewLayout::StripHeight);
    m_state.dialogSize = before;
    const QScreen *screen = m_dialog.screen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize();
    FramedWindow::moveTo(m_dialog, PreviewLayout::centredAndEnlarged(before, screenSize).topLeft());
}

void FileDialogHook::placeStrip()
{
    if (!m_strip)
        return;
    m_strip->setGeometry(0, m_dialog.height() - PreviewLayout::StripHeight, m_dialog.width(),
                         PreviewLayout::StripHeight);
    m_strip->raise();
}

QString FileDialogHook::boxText() const
{
    return m_fileNameBox ? m_fileNameBox->text() : m_state.fileNameText;
}

void FileDialogHook::nameTyped(const QString &text)
{
    keepOnlyTypedSelected(text);
    // The text as typed: the dialog may have rewritten the box meanwhile, from inside this
    // very change, to a list of every name its completion has selected so far.
    notify(text);
}

void FileDialogHook::keepOnlyTypedSelected(const QString &text)
{
    // The dialog's completion adds each typed name to the selection and only drops the
    // earlier ones while the box has the keyboard focus; a one-file dialog keeps one.
    if (m_dialog.fileMode() == QFileDialog::ExistingFiles || text.isEmpty())
        return;
    const auto *list = m_dialog.findChild<QListView *>(u"listView"_s);
    QItemSelectionModel *selection = list ? list->selectionModel() : nullptr;
    if (!selection)
        return;
    const QModelIndexList rows = selection->selectedRows();
    if (rows.size() < 2)
        return;
    // Only when the typed name is one of them: anything else is the dialog's to sort out.
    const bool typedIsSelected =
        std::any_of(rows.begin(), rows.end(),
                    [&text](const QModelIndex &row) { return row.data().toString() == text; });
    if (!typedIsSelected)
        return;
    for (const QModelIndex &row : rows) {
        if (row.data().toString() != text)
            selection->select(row, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    }
}

void FileDialogHook::notify(const QString &fileNameText)
{
    m_state.fileNameText = fileNameText;
    if (!m_state.fileNameText.isEmpty()) {
        // A relative name is the dialog's folder's, not the process's working folder's.
        const QString fullPath =
            QDir::cleanPath(QDir(m_dialog.directory()).absoluteFilePath(m_state.fileNameText));
        if (QFileInfo::exists(fullPath)) {
            m_state.previewPath = fullPath;
            QImageReader reader(fullPath);
            reader.setAutoTransform(false);
            // Anything that is no picture (a folder, a text file) clears the held one.
            m_state.picture = QFileInfo(fullPath).isFile() ? reader.read() : QImage();
        }
    }
    // Painted at once rather than at the next tick, so the strip never shows an old file's
    // figures under a new name.
    Timer1_Timer();
}

void FileDialogHook::Timer1_Timer()
{
    if (!m_strip)
        return;
    const bool hasPicture = !m_state.picture.isNull();
    const qint64 size = hasPicture ? QFileInfo(m_state.previewPath).size() : 0;
    m_strip->setPreview(m_state.picture, PreviewLayout::texts(m_state.fileNameText, hasPicture,
                                                              size, m_state.picture.size()));
}

} // namespace tessaly
