// The capture window's navigation controls, and the record kept of every completed document.

#include "browser/FrmBrowser.h"

#include "ui_FrmBrowser.h"

#include "browser/AddressCompletion.h"
#include "capture/CaptureHost.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <limits>

namespace tessaly {

namespace {

// Counters stay put rather than wrap.
void bump(std::int16_t &counter, int by)
{
    const int next = int(counter) + by;
    if (next >= std::numeric_limits<std::int16_t>::min() &&
        next <= std::numeric_limits<std::int16_t>::max())
        counter = std::int16_t(next);
}

// Menu entries are numbered from 1; a number that names no entry adds or removes nothing.
void removeMenuEntry(QAction *button, int number)
{
    QMenu *menu = button->menu();
    const QList<QAction *> entries = menu ? menu->actions() : QList<QAction *>{};
    if (number < 1 || number > entries.size())
        return;
    QAction *entry = entries.at(number - 1);
    menu->removeAction(entry);
    entry->deleteLater();
}

} // namespace

std::optional<QString> FrmBrowser::historyEntry(int number) const
{
    if (number < 1 || number > History.size())
        return std::nullopt;
    return History.at(number - 1);
}

void FrmBrowser::addMenuEntry(QAction *button, int historyNumber)
{
    if (QMenu *menu = button->menu()) {
        if (const auto text = historyEntry(historyNumber))
            menu->addAction(*text); // choosing an entry does nothing
    }
}

void FrmBrowser::cmdGo_Click()
{
    if (!m_ui)
        return;
    const QString address = m_ui->Text1->text();
    m_completion.add(address);
    if (BrowserView *view = m_host->activeView())
        view->Navigate(address);
}

void FrmBrowser::cmdGo_MouseMove()
{
    if (m_ui)
        m_ui->cmdGo->setToolTip(QStringLiteral("Go to '' ") + m_ui->Text1->text() +
                                QStringLiteral(" ''"));
}

void FrmBrowser::Text1_Click()
{
    // The press goes on to the box once it has the focus back, from wherever it was (the
    // browser view included). A box that has it keeps it: a shift-click extends a
    // selection that a focus change would drop.
    if (!m_ui || QApplication::focusWidget() == m_ui->Text1)
        return;
    m_ui->Text2->setFocus(Qt::MouseFocusReason);
    m_ui->Text1->setFocus(Qt::MouseFocusReason);
}

void FrmBrowser::Text1_DblClick()
{
    if (!m_ui)
        return;
    m_ui->Text1->setSelection(0, int(m_ui->Text1->text().size()));
    m_ui->Text1->setFocus();
}

void FrmBrowser::stepHistory(bool back)
{
    // Back and Forward keep the same books, mirrored.
    bump(BackIndex, back ? 1 : -1);
    bump(ForwardIndex, back ? -1 : 1);
    const int number = (back ? BackIndex : ForwardIndex) - 1;
    addMenuEntry(back ? m_ui->Forward : m_ui->Back, number);
    removeMenuEntry(back ? m_ui->Back : m_ui->Forward, number);
    bool &going = back ? GoingBack : GoingForward;
    going = true;
    if (BrowserView *view = m_host->activeView())
        back ? view->GoBack() : view->GoForward();
    going = false;
}

void FrmBrowser::Toolbar1_ButtonClick(int button)
{
    if (!m_ui)
        return;
    BrowserView *view = m_host->activeView();
    switch (button) {
    case 1:
    case 2:
        stepHistory(button == 1);
        break;
    case 3:
        if (view)
            view->Stop();
        break;
    case 4:
        if (view)
            view->Refresh();
        break;
    case 5:
        if (view)
            view->Navigate(HomePageUrl.toString());
        break;
    default:
        break;
    }
}

void FrmBrowser::WebBrowser1_DocumentComplete(const QString &address, int height)
{
    if (!m_ui || GoingBack || GoingForward)
        return;
    bump(BackIndex, 1);
    bump(ForwardIndex, 1);
    History.append(m_ui->Text1->text());
    if (BackIndex == 1)
        return;
    addMenuEntry(m_ui->Back, BackIndex - 1);
    if (address.toLower() != QStringLiteral("about:blank") && height >= 0)
        m_host->addHeightCandidateTwips(height);
    if (BrowserView *view = m_host->activeView()) {
        const QString location = view->LocationURL();
        m_ui->Text1->setText(location);
        m_completion.add(location);
    }
}

} // namespace tessaly
