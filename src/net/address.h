#pragma once

#include <cstdint>

namespace velberd::net {

// An IPv4 address as the dotted-quad parser returns it: the four octets in memory in the order
// they are written, held in a signed 32-bit integer.
using Address = std::int32_t;

// All bits set. It is also 255.255.255.255, which therefore cannot be told from a failure.
inline constexpr Address kFailureAddress = -1;

} // namespace velberd::net
