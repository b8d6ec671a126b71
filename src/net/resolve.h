#pragma once

#include "net/address.h"

#include <cstddef>
#include <string>

namespace velberd::net {

// The host name of every reverse lookup that finds nothing usable.
inline constexpr const char* kUnknownHost = "Unknown";

// Names of this many bytes or more do not fit the reader's buffer and count as not found.
inline constexpr std::size_t kHostNameLimit = 256;

// Dotted text as the platform's dotted-quad parser reads it; anything it refuses (including
// "255.255.255.255") is looked up as a host name, whose first IPv4 address is the result.
// kFailureAddress when neither works.
Address addressFromText(const std::string& text);

// The official name of the host at address, or kUnknownHost.
std::string hostNameFromAddress(Address address);

// hostNameFromAddress(addressFromText(text)). A text that does not resolve is reverse-looked-up
// as 255.255.255.255, the address the failure value stands for.
inline std::string hostNameFromText(const std::string& text) {
    return hostNameFromAddress(addressFromText(text));
}

} // namespace velberd::net
