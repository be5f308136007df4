#include "ModalDriver.h"

#include <QDialog>

#include <gtest/gtest.h>

ModalDriver::ModalDriver()
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
    m_timer.start();
    m_sinceStep.start();
}

ModalDriver::~ModalDriver()
{
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " dialog steps never ran";
}

ModalDriver &ModalDriver::then(Step step)
{
    if (m_steps.empty())
        m_sinceStep.restart(); // steps for a later dialog get the whole timeout
    m_steps.push_back(std::move(step));
    return *this;
}

void ModalDriver::poll()
{
    if (m_steps.empty())
        return;
    if (m_steps.front()()) {
        m_steps.pop_front();
        m_sinceStep.restart();
        return;
    }
    if (m_sinceStep.elapsed() <= 15000) // the timeout, in milliseconds
        return;
    ADD_FAILURE() << "a dialog step did not happen in time; " << m_steps.size() << " left";
    m_steps.clear();
    // Unwind every modal loop so the call under test returns.
    while (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
        dialog->reject();
        dialog->hide();
    }
}
