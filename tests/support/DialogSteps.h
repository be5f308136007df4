#pragma once
// Steps for ModalDriver that act on the program's dialogs as a user would: the file dialog,
// the folder dialog with its helper window, the name prompt and message boxes.
#include "ModalDriver.h"
#include "dialogs/FolderDialog.h"
#include "dialogs/frmButton.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace dialogsteps {

using namespace tessaly;
using namespace Qt::StringLiterals;

inline QStringList comboItems(QFileDialog *dialog)
{
    QStringList items;
    if (auto *combo = dialog->findChild<QComboBox *>(u"fileTypeCombo"_s)) {
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
    }
    return items;
}

inline void typeName(QFileDialog *dialog, const QString &name)
{
    auto *box = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
    ASSERT_NE(box, nullptr);
    // Typing happens in the focused box; the dialog's completion treats an unfocused box
    // as a list of names and keeps earlier ones selected.
    box->setFocus(Qt::OtherFocusReason);
    box->setText(name);
}

/// Waits for the visible file dialog and hands it to `act`.
inline ModalDriver::Step onDialog(std::function<void(QFileDialog *)> act)
{
    return [act] {
        QFileDialog *dialog = ModalDriver::modal<QFileDialog>();
        if (!dialog || !dialog->isVisible())
            return false;
        act(dialog);
        return true;
    };
}

/// Types `name` and presses Open or Save; `enabled`, when given, receives whether the button
/// could be pressed.
inline ModalDriver::Step acceptWith(const QString &name, bool *enabled = nullptr)
{
    return onDialog([name, enabled](QFileDialog *dialog) {
        typeName(dialog, name);
        // The dialog's own Open or Save button, as the user presses it.
        auto *buttons = dialog->findChild<QDialogButtonBox *>(u"buttonBox"_s);
        ASSERT_NE(buttons, nullptr);
        QPushButton *accept = buttons->button(dialog->acceptMode() == QFileDialog::AcceptSave
                                                  ? QDialogButtonBox::Save
                                                  : QDialogButtonBox::Open);
        ASSERT_NE(accept, nullptr);
        if (enabled)
            *enabled = accept->isEnabled();
        QTimer::singleShot(0, accept, [accept] { accept->click(); });
    });
}

inline frmButton *helperOf(FolderDialog *dialog)
{
    return dialog->findChild<frmButton *>();
}

/// Waits for a visible folder dialog other than `*remember` (which must be gone), and with
/// `withHelper` for its helper shown and following it again.
inline ModalDriver::Step onFolderDialog(std::function<void(FolderDialog *)> act,
                                        QPointer<FolderDialog> *remember = nullptr,
                                        bool withHelper = false)
{
    return [=] {
        if (remember && *remember)
            return false; // the earlier dialog has not closed yet
        FolderDialog *dialog = ModalDriver::modal<FolderDialog>();
        if (!dialog || !dialog->isVisible() || !dialog->isInitialized())
            return false;
        frmButton *helper = helperOf(dialog);
        if (withHelper && !(helper && helper->isVisible() && helper->timer1().isActive()))
            return false;
        if (remember)
            *remember = dialog;
        act(dialog);
        return true;
    };
}

inline void clickLater(QAbstractButton *button)
{
    QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
}

/// Types `name` into the new folder's name prompt and presses OK, or Cancel.
inline ModalDriver::Step typeFolderName(const QString &name, bool accept = true,
                                        QString *caption = nullptr, QString *prompt = nullptr)
{
    return [=] {
        auto *input = ModalDriver::modal<QInputDialog>();
        if (!input || !input->isVisible())
            return false;
        if (caption)
            *caption = input->windowTitle();
        if (prompt)
            *prompt = input->labelText();
        input->setTextValue(name);
        accept ? input->accept() : input->reject();
        return true;
    };
}

inline ModalDriver::Step closeMessage(QString *text, QString *caption)
{
    return [=] {
        auto *box = ModalDriver::modal<QMessageBox>();
        if (!box || !box->isVisible())
            return false;
        *text = box->text();
        *caption = box->windowTitle();
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        box->accept();
        return true;
    };
}

} // namespace dialogsteps
