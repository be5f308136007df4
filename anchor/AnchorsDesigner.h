#pragma once

#include "anchor/UiTagFile.h"
#include "anchor/ppAnchors.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

class QDialogButtonBox;
class QPushButton;
class QTabWidget;

namespace tessaly {

/// The design-time host of the "Anchors" page: loads a Qt Designer form, shows the page for
/// the form's controls with OK, Cancel and Apply, and writes the tags the page changed back
/// into the form file, leaving every other byte of it as it was.
///
/// Control arrays are spelled in object names: member i of array X is named X_i (Label1_0,
/// Label1_1) and is listed as X(i) (see ControlName).
class AnchorsDesigner : public QDialog
{
    Q_OBJECT
public:
    explicit AnchorsDesigner(QWidget *parent = nullptr);
    ~AnchorsDesigner() override;

    /// Loads `uiFile` and puts its controls on the page. Fails, with the reason, when the
    /// file cannot be read or is not a form.
    Result<void> load(const QString &uiFile);
    /// Applies the page, then writes every tag that differs from the file into it. Succeeds
    /// when written or when nothing differed. Nothing is written when the file changed on
    /// disk since it was loaded or written here, or when a tag cannot be put into it.
    Result<void> apply();

    /// True when a control's tag differs from the file (the page gives new controls the
    /// default prefix when it opens).
    bool hasUnsavedTags() const;

    ppAnchors *page() const { return m_page; }
    QWidget *form() const { return m_form.get(); }
    QPushButton *applyButton() const;
    QString fileName() const { return m_path; }

private:
    struct Saved
    {
        QPointer<QObject> control;
        QString tag; // as in the file
    };

    void updateApplyButton();
    void applyClicked();
    void okClicked();

    QString m_path;
    std::optional<UiTagFile> m_file;
    std::unique_ptr<QWidget> m_form;
    std::vector<Saved> m_saved;
    QTabWidget *m_tabs = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    QPointer<ppAnchors> m_page;
};

} // namespace tessaly
