#pragma once
// The settings window under test: a store in a temporary folder, and the answer to its
// message boxes.
#include "settings/SettingsFiles.h"
#include "settings/SettingsStore.h"
#include "settingswindow/FrmMain.h"
#include "support/FileHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace tessaly::settingsrig {

// The text of the message box that `action` brings up, answered with OK; empty when none.
template <typename Action> QString messageFrom(Action &&action)
{
    QString text;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&text] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
    poll.start(10);
    action();
    return text;
}

class SettingsWindow : public ::testing::Test
{
protected:
    SettingsWindow() : store(location()) {}

    // The same place again, as the next run of the program sees it.
    SettingsLocation location() const
    {
        return SettingsLocation(dir.path(), dir.file(QStringLiteral("config")));
    }

    std::unique_ptr<FrmMain> open()
    {
        auto window = std::make_unique<FrmMain>(store);
        window->show();
        return window;
    }

    TempDir dir;
    SettingsStore store;
};

} // namespace tessaly::settingsrig
