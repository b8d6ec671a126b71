#pragma once

#include <cstdio>
#include <cstdlib>

namespace velberd::fuzz {

// A broken promise of the code under test: reported and ended like a crash, so libFuzzer keeps
// the input that shows it.
inline void require(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
}

} // namespace velberd::fuzz
