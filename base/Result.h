#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace tessaly {

/// Why an operation failed, in words fit to show the user.
struct Failure
{
    QString message;
};

/// A failure with this message, to return as any Result.
inline Failure fail(QString message)
{
    return Failure{std::move(message)};
}

/// The outcome of an operation that can fail: its value, or why it failed. Results cannot
/// be dropped unread (the compiler warns), so no failure goes unnoticed on its way up.
template <typename T = void> class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Failure failure) : m_error(std::move(failure.message)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    /// Why it failed; empty after a success.
    const QString &error() const { return m_error; }

    /// The value; only after a success.
    T &value() & { return *m_value; }
    const T &value() const & { return *m_value; }
    T &&value() && { return std::move(*m_value); }
    T &operator*() & { return *m_value; }
    const T &operator*() const & { return *m_value; }
    T *operator->() { return &*m_value; }
    const T *operator->() const { return &*m_value; }

private:
    std::optional<T> m_value;
    QString m_error;
};

/// The outcome of an operation that gives nothing back but can fail.
template <> class [[nodiscard]] Result<void>
{
public:
    /// Success.
    Result() = default;
    Result(Failure failure) : m_failed(true), m_error(std::move(failure.message)) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    /// Why it failed; empty after a success.
    const QString &error() const { return m_error; }

private:
    bool m_failed = false;
    QString m_error;
};

} // namespace tessaly
