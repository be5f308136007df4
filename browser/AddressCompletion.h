#pragma once

#include <QObject>
#include <QStringListModel>

class QCompleter;
class QLineEdit;

namespace tessaly {

/// Completion for the address box from the addresses typed and visited in this run. It
/// keeps them in memory only and outlives the window's controls, so a reopened window
/// completes what was typed before.
class AddressCompletion : public QObject
{
    Q_OBJECT
public:
    explicit AddressCompletion(QObject *parent = nullptr);

    /// Gives `box` a completer over the addresses; the completer belongs to the box.
    void attach(QLineEdit *box);
    /// Adds an address (typed or visited); empty texts and repeats are skipped.
    void add(const QString &address);
    QStringList addresses() const { return m_model.stringList(); }

private:
    QStringListModel m_model;
};

} // namespace tessaly
