#pragma once
// The settings window under test: a store in a temporary folder, and a watcher that answers
// the next message box.
#include "settings/FrmMain.h"
#include "settings/SettingsStore.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace tessaly::settingsrig {

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

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

class SettingsWindow : public ::testing::Test
{
protected:
    SettingsWindow()
        : store(SettingsLocation(dir.path(), dir.file(QStringLiteral("config")))) {}

    std::unique_ptr<FrmMain> open()
    {
        auto window = std::make_unique<FrmMain>(store);
        window->show();
        return window;
    }

    template <typename T>
    static T *child(const FrmMain &window, const char *name)
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }

    QString settingsFile() const { return dir.file(QStringLiteral("settings.ini")); }

    TempDir dir;
    SettingsStore store;
};

} // namespace tessaly::settingsrig
