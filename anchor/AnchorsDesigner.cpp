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

bool AnchorsDesigner::load(const QString &uiFile, QString *error)
{
    std::optional<UiTagFile> file = UiTagFile::load(uiFile, error);
    if (!file)
        return false;
    QBuffer buffer;
    buffer.setData(file->bytes());
    buffer.open(QIODevice::ReadOnly);
    QUiLoader loader;
    std::unique_ptr<QWidget> form(loader.load(&buffer));
    if (!form) {
        if (error)
            *error = QStringLiteral("cannot load %1: %2").arg(uiFile, loader.errorString());
        return false;
    }

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
    m_file = std::move(file);
    m_form = std::move(form);

    m_page = new ppAnchors(controls, TwipsScale::fromScreen(screen()));
    m_tabs->addTab(m_page, m_page->windowTitle());
    connect(m_page, &ppAnchors::changedChanged, this, &AnchorsDesigner::updateApplyButton);
    setWindowTitle(QFileInfo(uiFile).fileName() + QLatin1String(" - Anchors"));
    updateApplyButton();
    return true;
}

bool AnchorsDesigner::hasUnsavedTags() const
{
    return std::any_of(m_saved.begin(), m_saved.end(), [](const Saved &saved) {
        return saved.control && tagOf(saved.control) != saved.tag;
    });
}

bool AnchorsDesigner::apply(QString *error)
{
    if (!m_page || !m_file) {
        if (error)
            *error = QStringLiteral("no form is loaded");
        return false;
    }
    m_page->PropertyPage_ApplyChanges();
    QHash<QString, QString> changed;
    for (const Saved &saved : m_saved) {
        if (saved.control && tagOf(saved.control) != saved.tag)
            changed.insert(saved.control->objectName(), tagOf(saved.control));
    }
    updateApplyButton();
    if (changed.isEmpty())
        return true;

    // Another editor may have saved the form meanwhile; editing our older copy would undo
    // its work.
    QString readError;
    const std::optional<UiTagFile> onDisk = UiTagFile::load(m_path, &readError);
    if (!onDisk || onDisk->bytes() != m_file->bytes()) {
        if (error) {
            *error = onDisk ? QStringLiteral("%1 changed on disk since it was opened; nothing "
                                             "was written. Open it again to edit its anchors.")
                                  .arg(m_path)
                            : readError;
        }
        return false;
    }
    const std::optional<QByteArray> bytes = m_file->withTags(changed, error);
    if (!bytes || !UiTagFile::save(m_path, *bytes, error))
        return false;
    m_file = UiTagFile::fromBytes(*bytes);
    for (Saved &saved : m_saved) {
        if (saved.control)
            saved.tag = tagOf(saved.control);
    }
    updateApplyButton();
    return true;
}

void AnchorsDesigner::updateApplyButton()
{
    applyButton()->setEnabled(m_page && (m_page->Changed() || hasUnsavedTags()));
}

void AnchorsDesigner::applyClicked()
{
    QString error;
    if (!apply(&error))
        QMessageBox::warning(this, QStringLiteral("Anchors"), error);
}

void AnchorsDesigner::okClicked()
{
    QString error;
    if (!apply(&error)) {
        QMessageBox::warning(this, QStringLiteral("Anchors"), error);
        return;
    }
    accept();
}

} // namespace tessaly
