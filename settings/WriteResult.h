#pragma once

#include <QString>

#include <utility>

namespace tessaly {

/// The outcome of writing a setting: success, or a failure with a message fit to show.
class WriteResult
{
public:
    static WriteResult success() { return WriteResult(); }
    static WriteResult failure(QString message) { return WriteResult(std::move(message)); }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    /// Why the write failed; empty after a success.
    const QString &error() const { return m_error; }

private:
    WriteResult() = default;
    explicit WriteResult(QString message) : m_failed(true), m_error(std::move(message)) {}

    bool m_failed = false;
    QString m_error;
};

} // namespace tessaly
