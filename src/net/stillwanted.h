#pragma once

#include <functional>

namespace velberd::net {

// Asked now and then while an operation waits on the network: false once nobody wants its
// result any more, so that it stops waiting. An empty one wants every result.
using StillWanted = std::function<bool()>;

// How often a wait asks.
inline constexpr int kWantedCheckMs = 20;

inline bool stillWanted(const StillWanted& wanted) {
    return !wanted || wanted();
}

} // namespace velberd::net
