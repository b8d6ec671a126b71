// The measured round trip of the echo and of the game's own ping against a host that answers both
// after a set delay, while two busy loops keep both cores of the machine busy, next to what ping
// says of the same host; and the wall time of an echo that gets no answer and of a game ping to a
// closed port. The
// host answers at a real-time priority, so its answers leave on time however busy the machine;
// what is measured is how exactly the pinger reads them. Runs in throw-away network namespaces;
// needs root.
#include "net/echo.h"
#include "net/gameping.h"
#include "report.h"
#include "sandbox/nsrun.h"
#include "sandbox/responder.h"
#include "sandbox/testnetwork.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace velberd::net;
using namespace velberd::net::sandbox;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRounds = 5;
constexpr std::uint16_t kGamePort = 10052;

struct Times {
    std::array<std::uint32_t, kRounds> echo;
    std::array<std::uint32_t, kRounds> game;
    std::array<double, kRounds> echoWallMs;
    std::array<double, kRounds> gameWallMs;
};

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

Times pings(const TestNetwork& network) {
    return runInNamespaceFor<Times>(network.client(), RunAs::Root, [] {
        Times times{};
        for (std::size_t i = 0; i < kRounds; ++i) {
            EchoReplyRecord record;
            auto start = Clock::now();
            exchangeEcho(kQuietAddress, "test", record);
            times.echoWallMs[i] = msSince(start);
            times.echo[i] = record.roundTripTime();
            start = Clock::now();
            times.game[i] = exchangeGamePing(kQuietAddress, kGamePort, {}).roundTripMs;
            times.gameWallMs[i] = msSince(start);
        }
        return times;
    });
}

// Busy loops beside the measurement, one a core; ended by their ids.
class BusyLoops {
public:
    explicit BusyLoops(int count) {
        for (int i = 0; i < count; ++i) {
            const pid_t child = fork();
            if (child == 0) {
                volatile unsigned spin = 0;
                for (;;)
                    spin = spin + 1u;
            }
            if (child > 0) m_children.push_back(child);
        }
    }
    ~BusyLoops() {
        for (const pid_t child : m_children) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
    }
    BusyLoops(const BusyLoops&) = delete;
    BusyLoops& operator=(const BusyLoops&) = delete;

private:
    std::vector<pid_t> m_children;
};

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

// The largest distance of a whole-millisecond reading from the delay.
double largestError(const std::array<std::uint32_t, kRounds>& readings, int delay) {
    double largest = 0;
    for (const auto reading : readings)
        largest = std::max(largest, std::abs(static_cast<double>(reading) - delay));
    return largest;
}

} // namespace

int main() {
    std::string whyNot;
    const auto network = TestNetwork::create(whyNot);
    if (!network) {
        std::cerr << "ping_bench: " << whyNot << "\n";
        return 1;
    }
    const BusyLoops busy(2);
    std::cout << "two busy loops run beside every measurement\n";
    std::cout << "set delay | echo round-trip ms | game ping round-trip ms (" << kRounds << " each) | ping\n";
    double echoError = 0;
    double gameError = 0;
    for (const int delay : {20, 40, 80}) {
        const DelayedResponder responder(network->quiet(), std::chrono::milliseconds(delay), false, kGamePort);
        const Times times = pings(*network);
        std::cout << delay << " ms | " << list(times.echo) << " | " << list(times.game) << " | "
                  << pingSummary(*network) << "\n";
        echoError = std::max(echoError, largestError(times.echo, delay));
        gameError = std::max(gameError, largestError(times.game, delay));
    }
    const Times silent = pings(*network);
    std::cout << "no answer: echo wall ms " << list(silent.echoWallMs)
              << "; game ping to a closed port (port unreachable comes back at once) wall ms "
              << list(silent.gameWallMs) << "\n";
    velberd::bench::result("echo: largest error at 20/40/80 ms, two cores busy", echoError, "ms");
    velberd::bench::result("game ping: largest error at 20/40/80 ms, two cores busy", gameError, "ms");
    return 0;
}
