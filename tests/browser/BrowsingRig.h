#pragma once

#include "FrmBrowserRig.h"

#include "browser/WebEngineBrowserView.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>

/// Hands each box the views show (script, login) to `answer` to fill in and close; the boxes
/// run their own loops, so they are looked for on a timer.
class DialogWatcher : public QObject
{
public:
    explicit DialogWatcher(std::function<void(QDialog &)> answer) : m_answer(std::move(answer))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget *widget : QApplication::allWidgets()) {
                auto *dialog = qobject_cast<QDialog *>(widget);
                if (dialog && dialog->isVisible() && !m_answered.contains(dialog)) {
                    m_answered.append(dialog);
                    ++count;
                    m_answer(*dialog);
                }
            }
        });
        m_timer.start(20);
    }
    int count = 0;

private:
    std::function<void(QDialog &)> m_answer;
    QList<QPointer<QDialog>> m_answered;
    QTimer m_timer;
};

/// The capture window with helpers for driving its views as a user does.
class BrowsingRig : public WindowRig
{
protected:
    tessaly::CaptureHost *host() const { return window->host(); }
    tessaly::WebEngineBrowserView *view(int index) const
    {
        const auto &views = host()->WebBrowser1();
        if (index < 0 || index >= int(views.size()))
            return nullptr;
        return qobject_cast<tessaly::WebEngineBrowserView *>(views[std::size_t(index)].data());
    }
    QWebEnginePage *page(int index) const
    {
        tessaly::WebEngineBrowserView *v = view(index);
        return v && v->engineView() ? v->engineView()->page() : nullptr;
    }
    QAction *toolbarAction(int position) const
    {
        return control<QToolBar>("Toolbar1")->actions().at(position - 1);
    }
    QStringList menuTexts(int position) const
    {
        QStringList texts;
        for (QAction *entry : toolbarAction(position)->menu()->actions())
            texts.append(entry->text());
        return texts;
    }
    QString statusText() const { return control<QStatusBar>("StatusBar1")->currentMessage(); }
    QString addressText() const { return control<QLineEdit>("Text1")->text(); }
    /// The test server's address for `path`.
    QString url(const char *path) const { return server.url(QString::fromLatin1(path)).toString(); }
    bool visible(int index) const { return view(index) && view(index)->engineView()->isVisible(); }
    bool nothingSaved() const { return QDir(dir.path()).entryList(QDir::Files).isEmpty(); }

    /// Types an address into the address box and presses Enter.
    void go(const QString &address)
    {
        auto *text1 = control<QLineEdit>("Text1");
        text1->setText(address);
        QTest::keyClick(text1, Qt::Key_Return);
    }
    /// Presses a toolbar button (1 Back ... 5 Home) on its face, not its menu arrow.
    void press(int position)
    {
        auto *button = qobject_cast<QToolButton *>(
            control<QToolBar>("Toolbar1")->widgetForAction(toolbarAction(position)));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    /// Waits until view `index` shows `address`, loaded.
    bool shows(int index, const QString &address)
    {
        return QTest::qWaitFor(
            [&] {
                QWebEnginePage *p = page(index);
                return p && p->url().toString() == address && !p->isLoading();
            },
            20000);
    }
    /// Waits, bounded, for `condition` without sleeping between passes of the loop, which
    /// would slow a page asking for a hundred windows to a crawl.
    static bool soon(const std::function<bool()> &condition, int timeoutMs = 20000)
    {
        if (condition())
            return true;
        QEventLoop loop;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (condition())
                loop.quit();
        });
        check.start(5);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        return condition();
    }
    /// Runs a script in the page's own world and forgets its result.
    void runInPage(int index, const QString &script)
    {
        if (QWebEnginePage *p = page(index))
            p->runJavaScript(script);
    }
};
