#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velberd {

// A piece of an Internet provider's reverse-DNS names and the players known to host from there.
struct ProbableHost {
    std::string_view fragment;
    std::string_view hosts;
};

// The fixed table, in order: the first row that matches wins, so a provider's specific labels
// stand before its bare domain.
const std::array<ProbableHost, 48>& probableHostsTable();

// The hosts of the first row whose fragment occurs in hostName at position 2 or later,
// case-sensitively; a host name that merely begins with a fragment does not match it.
std::optional<std::string> probableHosts(std::string_view hostName);

} // namespace velberd
