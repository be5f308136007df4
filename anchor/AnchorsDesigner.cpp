#include "anchor/AnchorsDesigner.h"

#include "anchor/AnchorTag.h"
#include "anchor/HostControls.h"
#include "anchor/ppAnchors.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QUiLoader>
#include <QVBoxLayout>

#include <algorithm>

namespace tessaly {

AnchorsDesigner::AnchorsDesigner(QWidget *parent) : QDialog(parent)
{
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    layout->addWidget(m_tabs);
    m_buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &AnchorsDesigner::applyClicked);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &AnchorsDesigner::okClicked);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setWindowTitle(QStringLiteral("Anchors"));
    updateApplyButton();
}

// The page only watches the form's controls (QPointer), so the two may go in any order.
AnchorsDesigner::~AnchorsDesigner() = default;

QPushButton *AnchorsDesigner::applyButton() const
{
    return m_buttons->button(QDialogButtonBox::Apply);
}

Result<void> AnchorsDesigner::load(const QString &uiFile)
{
    Result<UiTagFile> file = UiTagFile::load(uiFile);
    if (!file)
        return fail(file.error());
    QBuffer buffer;
    buffer.setData(file->bytes());
    buffer.open(QIODevice::ReadOnly);
    QUiLoader loader;
    std::unique_ptr<QWidget> form(loader.load(&buffer));
    if (!form)
        return fail(QStringLiteral("cannot load %1: %2").arg(uiFile, loader.errorString()));

    // Only objects the file names can keep a tag; Qt's own parts of a widget cannot.
    QObjectList controls;
    for (QObject *control : namedControls(form.get())) {
        if (file->contains(control->objectName()))
            controls.append(control);
    }

    if (m_page) {
        m_tabs->removeTab(m_tabs->indexOf(m_page));
        m_page->deleteLater();
    }
    m_saved.clear();
    for (QObject *control : controls)
        m_saved.push_back({control, tagOf(control)});
    m_path = uiFile;
    m_file = std::move(file).value();
    m_form = std::move(form);

    m_page = new ppAnchors(controls, TwipsScale::fromScreen(screen()));
    m_tabs->addTab(m_page, m_page->windowTitle());
    connect(m_page, &ppAnchors::changedChanged, this, &AnchorsDesigner::updateApplyButton);
    setWindowTitle(QFileInfo(uiFile).fileName() + QLatin1String(" - Anchors"));
    updateApplyButton();
    return {};
}

bool AnchorsDesigner::hasUnsavedTags() const
{
    return std::any_of(m_saved.begin(), m_saved.end(), [](const Saved &saved) {
        return saved.control && tagOf(saved.control) != saved.tag;
    });
}

Result<void> AnchorsDesigner::apply()
{
    if (!m_page || !m_file)
        return fail(QStringLiteral("no form is loaded"));
    m_page->PropertyPage_ApplyChanges();
    QHash<QString, QString> changed;
    for (const Saved &saved : m_saved) {
        if (saved.control && tagOf(saved.control) != saved.tag)
            changed.insert(saved.control->objectName(), tagOf(saved.control));
    }
    updateApplyButton();
    if (changed.isEmpty())
        return {};

    // Another editor may have saved the form meanwhile; editing our older copy would undo
    // its work.
    const Result<UiTagFile> onDisk = UiTagFile::load(m_path);
    if (!onDisk)
        return fail(onDisk.error());
    if (onDisk->bytes() != m_file->bytes())
        return fail(QStringLiteral("%1 changed on disk since it was opened; nothing was "
                                   "written. Open it again to edit its anchors.")
                        .arg(m_path));
    const Result<QByteArray> bytes = m_file->withTags(changed);
    if (!bytes)
        return fail(bytes.error());
    if (Result<void> saved = UiTagFile::save(m_path, *bytes); !saved)
        return saved;
    // What was written, read back as the file that later applies compare with.
    Result<UiTagFile> written = UiTagFile::fromBytes(*bytes);
    if (!written)
        return fail(written.error());
    m_file = std::move(written).value();
    for (Saved &saved : m_saved) {
        if (saved.control)
            saved.tag = tagOf(saved.control);
    }
    updateApplyButton();
    return {};
}

void AnchorsDesigner::updateApplyButton()
{
    applyButton()->setEnabled(m_page && (m_page->Changed() || hasUnsavedTags()));
}

void AnchorsDesigner::applyClicked()
{
    if (const Result<void> applied = apply(); !applied)
        QMessageBox::warning(this, QStringLiteral("Anchors"), applied.error());
}

void AnchorsDesigner::okClicked()
{
    if (const Result<void> applied = apply(); !applied) {
        QMessageBox::warning(this, QStringLiteral("Anchors"), applied.error());
        return;
    }
    accept();
}

} // namespace tessaly
