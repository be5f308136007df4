#include "browser/AddressCompletion.h"

#include <QCompleter>
#include <QLineEdit>

namespace tessaly {

AddressCompletion::AddressCompletion(QObject *parent) : QObject(parent) {}

void AddressCompletion::attach(QLineEdit *box)
{
    auto *completer = new QCompleter(&m_model, box);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    // Addresses are typed without their scheme or "www." as often as with them.
    completer->setFilterMode(Qt::MatchContains);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    box->setCompleter(completer);
}

void AddressCompletion::add(const QString &address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty() || m_model.stringList().contains(trimmed))
        return;
    const int row = m_model.rowCount();
    m_model.insertRows(row, 1);
    m_model.setData(m_model.index(row), trimmed);
}

} // namespace tessaly
