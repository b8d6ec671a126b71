#pragma once

#include <memory>
#include <string>

// Throw-away network namespaces for the tests that need other hosts, so that no packet and no
// name query ever leaves the machine:
//   client  198.51.100.1 --veth-- peer   198.51.100.2 (answers echo)
//           203.0.113.1  --veth-- quiet  203.0.113.2  (ignores echo; a test's responder may answer)
// The client has its own /etc/hosts (the names below) and a resolv.conf naming a dead loopback
// address. Everything is removed again when the object goes.
namespace velberd::net::sandbox {

inline constexpr const char* kPeerAddress = "198.51.100.2";
inline constexpr const char* kQuietAddress = "203.0.113.2";
inline constexpr const char* kPeerName = "peer.velberd.test";
inline constexpr const char* kQuietName = "quiet.velberd.test";
// Listed twice in the hosts file, the second address first.
inline constexpr const char* kMultiName = "multi.velberd.test";
inline constexpr const char* kMultiFirstAddress = "192.0.2.11";
inline constexpr const char* kMultiSecondAddress = "192.0.2.10";
inline constexpr const char* kBroadcastName = "broadcast.velberd.test";
// Reverse names of exactly 255, 256 and 300 bytes.
inline constexpr const char* kName255Address = "192.0.2.55";
inline constexpr const char* kName256Address = "192.0.2.56";
inline constexpr const char* kName300Address = "192.0.2.30";
// Known to nobody; reverse lookups fail at once against the dead resolver.
inline constexpr const char* kNamelessAddress = "192.0.2.99";

// A host name of exactly length bytes, ending in ".velberd.test".
std::string nameOfLength(std::size_t length);

class TestNetwork {
public:
    // Empty when this process may not make namespaces; whyNot then says why.
    static std::unique_ptr<TestNetwork> create(std::string& whyNot);
    ~TestNetwork();
    TestNetwork(const TestNetwork&) = delete;
    TestNetwork& operator=(const TestNetwork&) = delete;

    const std::string& client() const { return m_client; }
    const std::string& peer() const { return m_peer; }
    const std::string& quiet() const { return m_quiet; }

    // The groups whose members may open ping sockets in the client ("1 0": nobody).
    void setPingGroupRange(const std::string& range) const;

private:
    TestNetwork();
    void build();
    void tearDown() const;

    std::string m_client;
    std::string m_peer;
    std::string m_quiet;
    std::string m_etcDir;
    std::string m_linkPrefix;
};

} // namespace velberd::net::sandbox
