// SendEcho's measured round-trip time against a responder that answers after a set delay, next
// to what ping says of the same responder, and the wall time of an echo that gets no answer.
// Runs in throw-away network namespaces; needs root.
#include "net/echo.h"
#include "sandbox/nsrun.h"
#include "sandbox/responder.h"
#include "sandbox/testnetwork.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

using namespace velberd::net;
using namespace velberd::net::sandbox;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRounds = 5;

struct Times {
    std::array<std::uint32_t, kRounds> roundTrip;
    std::array<double, kRounds> wallMs;
};

Times echoes(const TestNetwork& network) {
    return runInNamespaceFor<Times>(network.client(), RunAs::Root, [] {
        Times times{};
        for (int i = 0; i < kRounds; ++i) {
            EchoReplyRecord record;
            const auto start = Clock::now();
            SendEcho(kQuietAddress, "test", record);
            times.wallMs[static_cast<std::size_t>(i)] =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            times.roundTrip[static_cast<std::size_t>(i)] = record.roundTripTime();
        }
        return times;
    });
}

// ping's own summary line ("rtt min/avg/max/mdev = ..."), from inside the client namespace.
std::string pingSummary(const TestNetwork& network) {
    const std::string command = "ip netns exec " + network.client() + " ping -n -q -c " + std::to_string(kRounds) +
                                " -i 0.2 " + kQuietAddress + " 2>&1";
    FILE* output = popen(command.c_str(), "r");
    if (output == nullptr) return "ping did not run";
    std::string summary = "no summary from ping";
    char line[512];
    while (std::fgets(line, sizeof line, output) != nullptr) {
        const std::string text(line);
        if (text.rfind("rtt ", 0) == 0) summary = text.substr(0, text.find_last_not_of('\n') + 1);
    }
    pclose(output);
    return summary;
}

template <typename T> std::string list(const std::array<T, kRounds>& values) {
    std::string text;
    for (const auto value : values) {
        char number[32];
        std::snprintf(number, sizeof number, "%s%.1f", text.empty() ? "" : " ", static_cast<double>(value));
        text += number;
    }
    return text;
}

} // namespace

int main() {
    std::string whyNot;
    const auto network = TestNetwork::create(whyNot);
    if (!network) {
        std::cerr << "echo_bench: " << whyNot << "\n";
        return 1;
    }
    std::cout << "set delay | SendEcho round-trip ms (" << kRounds << " echoes) | ping\n";
    for (const int delay : {20, 40, 80}) {
        const DelayedResponder responder(network->quiet(), std::chrono::milliseconds(delay));
        const Times times = echoes(*network);
        std::cout << delay << " ms | " << list(times.roundTrip) << " | " << pingSummary(*network) << "\n";
    }
    const Times silent = echoes(*network);
    std::cout << "no answer: wall ms " << list(silent.wallMs) << ", round-trip ms " << list(silent.roundTrip) << "\n";
    return 0;
}
