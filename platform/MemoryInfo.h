#pragma once

#include <cstdint>
#include <optional>

namespace tessaly {

/// Memory the system can still give this process without swapping, in bytes; nothing
/// where the system does not say.
std::optional<std::int64_t> availableMemoryBytes();

} // namespace tessaly
