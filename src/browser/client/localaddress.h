#pragma once

#include <QString>

namespace velberd {

// The host's primary IPv4 address in dotted form, read from the interface table so that nothing
// is sent; "127.0.0.1" when the host has no other.
QString primaryIPv4Address();

} // namespace velberd
