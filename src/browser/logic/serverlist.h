#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velberd {

// At most this many servers are listed from one answer of the list server.
inline constexpr std::size_t kLineSlots = 11;

// The server-list entries of a received block: line 0 when it is not empty, then lines 1 to 10
// up to the first empty line. Lines end in CR LF; a lone CR or LF stays part of its line.
std::vector<std::string> parseReceivedBlock(std::string_view block);

// What the server list shows for an entry: the text after the first "] ", at most as many
// characters as that marker's position; empty without the marker.
std::string displayName(std::string_view entry);

} // namespace velberd
