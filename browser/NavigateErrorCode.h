#pragma once

#include <QWebEngineLoadingInfo>

#include <cstdint>
#include <optional>

namespace tessaly {

/// The status code a failed navigation reports, in the codes the navigation error texts
/// know: the HTTP status for an error answer from the server, else the download-layer
/// result code nearest to the engine's network error. Nothing for a load that was only
/// stopped or replaced, which is no error.
std::optional<std::int32_t> NavigateErrorCode(QWebEngineLoadingInfo::ErrorDomain domain,
                                              int errorCode);

} // namespace tessaly
