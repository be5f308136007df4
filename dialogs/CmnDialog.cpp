#include "dialogs/CmnDialog.h"

#include "dialogs/FileDialogHook.h"
#include "dialogs/FileFilter.h"
#include "dialogs/InitialFolder.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace tessaly {

QString CmnDialog::ShowOpenDialog(QWidget *owner, QString &filter, int &flags, QString &initDir,
                                  QString &title, bool preview)
{
    return run(owner, filter, flags, initDir, title, preview, false);
}

QString CmnDialog::ShowSaveDialog(QWidget *owner, QString &filter, int &flags, QString &initDir,
                                  QString &title)
{
    return run(owner, filter, flags, initDir, title, false, true);
}

QString CmnDialog::run(QWidget *owner, QString &filter, int &flags, QString &initDir,
                       QString &title, bool preview, bool save)
{
    if (initDir.isEmpty())
        initDir = InitialFolder::root();
    if (filter.isEmpty())
        filter = FileFilter::defaultFilter();
    if (title.isEmpty())
        title = QGuiApplication::applicationDisplayName();

    m_request = FileDialogRequest();
    m_request.owner = owner;
    m_request.nameFilters = FileFilter::nameFilters(FileFilter::parse(filter));
    if (m_request.nameFilters.isEmpty())
        m_request.nameFilters =
            FileFilter::nameFilters(FileFilter::parse(FileFilter::defaultFilter()));
    m_request.flags = flags | OFN_EXPLORER | OFN_ENABLEHOOK;
    m_request.initialFolder = InitialFolder::resolve(initDir);
    m_request.title = title;
    m_request.preview = preview;
    m_request.save = save;

    QFileDialog dialog(owner, title, m_request.initialFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // An open dialog returns only files that exist: the caller goes on to read them.
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !(flags & OFN_OVERWRITEPROMPT))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(m_request.nameFilters);
    selectFilterIndex(dialog, m_filterIndex);
    new FileDialogHook(dialog, m_preview, preview, m_previewTimer); // owned by the dialog

    if (dialog.exec() != QDialog::Accepted)
        return {};
    const int chosen = selectedFilterIndex(dialog, m_request.nameFilters);
    if (chosen >= 0)
        m_filterIndex = chosen;
    return dialog.selectedFiles().value(0);
}

void CmnDialog::selectFilterIndex(QFileDialog &dialog, int index)
{
    if (index <= 0 || index >= dialog.nameFilters().size())
        return;
    // With the details hidden the type list shows bare descriptions, which a full name
    // filter does not find: the position is what was remembered, so select by it.
    if (auto *types = dialog.findChild<QComboBox *>(u"fileTypeCombo"_s)) {
        types->setCurrentIndex(index);
        emit types->activated(index); // as a user's choice: the dialog applies the patterns
        return;
    }
    dialog.selectNameFilter(dialog.nameFilters().at(index));
}

int CmnDialog::selectedFilterIndex(const QFileDialog &dialog, const QStringList &nameFilters)
{
    if (const auto *types = dialog.findChild<QComboBox *>(u"fileTypeCombo"_s))
        return types->currentIndex() < nameFilters.size() ? types->currentIndex() : -1;
    return int(nameFilters.indexOf(dialog.selectedNameFilter()));
}

} // namespace tessaly
