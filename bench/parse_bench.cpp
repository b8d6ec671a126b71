// How fast received blocks become entries and entries become details, over the plain logic.
#include "browser/logic/serverdetails.h"
#include "browser/logic/serverlist.h"
#include "report.h"

#include <chrono>
#include <cstdio>
#include <string>

using namespace velberd;
using Clock = std::chrono::steady_clock;

namespace {

std::string entry(int i) {
    return "192.0.2." + std::to_string(i % 250) + ":10052 local public battle 1.24   " + std::to_string(60 * i) +
           " [3/32] Carrotus Arena " + std::to_string(i);
}

std::string lines(int count) {
    std::string block;
    for (int i = 0; i < count; ++i)
        block += entry(i) + "\r\n";
    return block;
}

// Runs `work` over `bytes` bytes until at least half a second has gone, and gives MB/s.
template <typename Work> double throughput(std::size_t bytes, Work work) {
    std::size_t rounds = 0;
    std::size_t sink = 0;
    const auto start = Clock::now();
    auto elapsed = Clock::duration::zero();
    do {
        for (int i = 0; i < 64; ++i, ++rounds)
            sink += work();
        elapsed = Clock::now() - start;
    } while (elapsed < std::chrono::milliseconds(500));
    if (sink == 0) std::printf(" ");
    return double(bytes) * double(rounds) / std::chrono::duration<double>(elapsed).count() / 1e6;
}

void measure(const char* what, const std::string& block) {
    const double mbs = throughput(block.size(), [&] { return parseReceivedBlock(block).size(); });
    std::printf("%-44s %8zu bytes  %9.1f MB/s\n", what, block.size(), mbs);
    bench::result(what, mbs, "MB/s");
}

} // namespace

int main() {
    measure("parse, a list of 11 servers", lines(11));
    std::string full = lines(1200);
    full.resize(64 * 1024);
    measure("parse, a 64 KiB reply (the most read)", full);
    std::string garbage(64 * 1024, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 7919) % 251);
    measure("parse, 64 KiB of binary garbage", garbage);

    const auto one = entry(7);
    const double details = throughput(one.size(), [&] { return readServerDetails(one).header.access.size(); });
    std::printf("%-44s %8zu bytes  %9.1f MB/s\n", "details of one entry", one.size(), details);
    bench::result("details of one entry", details, "MB/s");
    return 0;
}
