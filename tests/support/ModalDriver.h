#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

/// Drives modal dialogs from inside their own event loops. Each step is polled until it
/// reports that it acted; steps run in order. A step that never acts within the timeout
/// fails the test and closes every modal dialog, so the call under test returns.
///
/// A step must not block: anything that opens a further modal loop is started from the event
/// loop, once the step has returned (a zero-time single shot).
class ModalDriver : public QObject
{
public:
    using Step = std::function<bool()>;

    ModalDriver();
    ~ModalDriver() override;

    ModalDriver &then(Step step);

    /// The topmost modal dialog when it is a W, else null.
    template <typename W> static W *modal()
    {
        return qobject_cast<W *>(QApplication::activeModalWidget());
    }

private:
    void poll();

    QTimer m_timer;
    std::deque<Step> m_steps;
    QElapsedTimer m_sinceStep;
};
