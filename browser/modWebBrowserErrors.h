#pragma once

#include <QString>

#include <cstdint>

namespace tessaly::modWebBrowserErrors {

/// Short display text for the status code of a failed navigation: an HTTP status
/// (400 to 505) or a download-layer result code. Never empty; unknown codes yield
/// "Unknown Error: " followed by the code.
QString NavigateErrorText(std::int32_t code);

/// The same for a code that arrives as text. The text is compared exactly, so the
/// hexadecimal forms ("0x800C0002L") match only as written.
QString NavigateErrorText(const QString &code);

} // namespace tessaly::modWebBrowserErrors
