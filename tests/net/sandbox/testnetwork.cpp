#include "sandbox/testnetwork.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <sys/types.h>
#include <unistd.h>

namespace velberd::net::sandbox {
namespace {

constexpr const char* kPrefix = "vbt";
constexpr const char* kNamespaceDir = "/run/netns";

void run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
        throw std::runtime_error("test network setup failed: " + command);
    }
}

void runQuietly(const std::string& command) {
    (void)std::system((command + " >/dev/null 2>&1").c_str());
}

// The process that made a namespace of this sandbox, from its name: "vbt", the owner's pid, and
// "-c", "-p" or "-q". None for any other name, so that no one else's namespace is touched.
std::optional<pid_t> ownerOf(std::string_view name) {
    if (!name.starts_with(kPrefix) || name.size() < std::strlen(kPrefix) + 3) return std::nullopt;
    const std::string_view suffix = name.substr(name.size() - 2);
    if (suffix != "-c" && suffix != "-p" && suffix != "-q") return std::nullopt;
    const std::string_view digits = name.substr(std::strlen(kPrefix), name.size() - std::strlen(kPrefix) - 2);
    pid_t owner = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), owner);
    if (error != std::errc() || end != digits.data() + digits.size() || owner <= 0 || digits.front() == '0') {
        return std::nullopt;
    }
    return owner;
}

// Namespaces left by a test process that was killed before it could clean up: only those whose
// owner is gone.
void removeStale() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(kNamespaceDir, error)) {
        const std::string name = entry.path().filename().string();
        const auto owner = ownerOf(name);
        if (owner && kill(*owner, 0) != 0 && errno == ESRCH) {
            runQuietly("ip netns del " + name);
            std::filesystem::remove_all("/etc/netns/" + name, error);
        }
    }
}

std::string hostsFile() {
    return std::string("127.0.0.1 localhost\n") + kPeerAddress + " " + kPeerName + "\n" + kQuietAddress + " " +
           kQuietName + "\n" + kMultiFirstAddress + " " + kMultiName + "\n" + kMultiSecondAddress + " " + kMultiName +
           "\n" + kName255Address + " " + nameOfLength(255) + "\n" + kName256Address + " " + nameOfLength(256) + "\n" +
           kName300Address + " " + nameOfLength(300) + "\n255.255.255.255 " + kBroadcastName + "\n";
}

} // namespace

std::string nameOfLength(std::size_t length) {
    const std::string suffix = ".velberd.test";
    return std::string(length - suffix.size(), 'h') + suffix;
}

std::unique_ptr<TestNetwork> TestNetwork::create(std::string& whyNot) {
    if (geteuid() != 0) {
        whyNot = "needs root to create network namespaces (run the tests as root)";
        return nullptr;
    }
    if (std::system("ip -V >/dev/null 2>&1") != 0) {
        whyNot = "needs the ip command (iproute2)";
        return nullptr;
    }
    std::unique_ptr<TestNetwork> network(new TestNetwork);
    try {
        network->build();
    } catch (const std::exception& failure) {
        whyNot = failure.what();
        return nullptr;
    }
    return network;
}

TestNetwork::TestNetwork() {
    const std::string base = kPrefix + std::to_string(getpid());
    m_client = base + "-c";
    m_peer = base + "-p";
    m_quiet = base + "-q";
    m_etcDir = "/etc/netns/" + m_client;
    m_linkPrefix = base;
}

TestNetwork::~TestNetwork() {
    tearDown();
}

void TestNetwork::build() {
    removeStale();
    try {
        std::filesystem::create_directories(m_etcDir);
        std::ofstream(m_etcDir + "/hosts") << hostsFile();
        std::ofstream(m_etcDir + "/resolv.conf") << "nameserver 127.0.0.254\noptions timeout:1 attempts:1\n";

        for (const auto& name : {m_client, m_peer, m_quiet}) {
            run("ip netns add " + name);
            run("ip -n " + name + " link set lo up");
        }
        const auto wire = [&](const std::string& other, const std::string& tag, const std::string& clientSide,
                              const std::string& otherSide) {
            const std::string near = m_linkPrefix + "c" + tag;
            const std::string far = m_linkPrefix + tag;
            run("ip link add " + near + " netns " + m_client + " type veth peer name " + far + " netns " + other);
            run("ip -n " + m_client + " addr add " + clientSide + "/24 dev " + near);
            run("ip -n " + other + " addr add " + otherSide + "/24 dev " + far);
            run("ip -n " + m_client + " link set " + near + " up");
            run("ip -n " + other + " link set " + far + " up");
        };
        wire(m_peer, "p", "198.51.100.1", kPeerAddress);
        wire(m_quiet, "q", "203.0.113.1", kQuietAddress);
        run("ip netns exec " + m_quiet + " sysctl -qw net.ipv4.icmp_echo_ignore_all=1");
        setPingGroupRange("1 0");
    } catch (...) {
        tearDown();
        throw;
    }
}

void TestNetwork::tearDown() const {
    // Deleting a namespace deletes the veth ends in it.
    for (const auto& name : {m_client, m_peer, m_quiet})
        runQuietly("ip netns del " + name);
    std::error_code error;
    std::filesystem::remove_all(m_etcDir, error);
    std::filesystem::remove("/etc/netns", error); // only when empty
}

void TestNetwork::setPingGroupRange(const std::string& range) const {
    run("ip netns exec " + m_client + " sysctl -qw net.ipv4.ping_group_range='" + range + "'");
}

} // namespace velberd::net::sandbox
