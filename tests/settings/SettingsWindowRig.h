#pragma once
// The settings window under test: a store in a temporary folder, and a watcher that answers
// the next message box.
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

// Answers the next message box with OK and remembers its text.
class MessageWatcher
{
public:
    MessageWatcher()
    {
        QTimer::singleShot(0, &m_context, [this] { poll(); });
    }
    QString text() const { return m_text; }

private:
    void poll()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                m_text = box->text();
                box->accept();
                return;
            }
        }
        QTimer::singleShot(10, &m_context, [this] { poll(); });
    }

    QObject m_context;
    QString m_text;
};

// The text of the message box that `action` brings up.
template <typename Action> QString messageFrom(Action &&action)
{
    MessageWatcher watcher;
    action();
    return watcher.text();
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

    template <typename T> static T *child(const FrmMain &window, const char *name)
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }

    TempDir dir;
    SettingsStore store;
};

} // namespace tessaly::settingsrig
