#pragma once

#include <cstdio>

namespace velberd::bench {

// One measured figure, in the form scripts/bench gathers into its table.
inline void result(const char* metric, double value, const char* unit) {
    std::printf("RESULT\t%s\t%.2f\t%s\n", metric, value, unit);
    std::fflush(stdout);
}

} // namespace velberd::bench
