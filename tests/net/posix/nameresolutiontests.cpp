#include "net/resolve.h"
#include "sandbox/nsrun.h"
#include "sandbox/testnetwork.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <vector>

namespace velberd::net {
namespace {

using namespace sandbox;

std::string dotted(Address address) {
    in_addr value{static_cast<in_addr_t>(address)};
    return inet_ntoa(value);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

// Each check runs in the client namespace, whose /etc/hosts is the test's and whose resolver
// is a dead loopback address: nothing here can reach a real name server.
class NameResolution : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_network = TestNetwork::create(s_whyNot); }
    static void TearDownTestSuite() { s_network.reset(); }
    void SetUp() override {
        if (!s_network) GTEST_SKIP() << "no test network: " << s_whyNot;
    }
    std::vector<std::string> inClient(const std::function<std::vector<std::string>()>& work) {
        return lines(runInNamespace(s_network->client(), RunAs::Root, [&] {
            std::string joined;
            for (const auto& line : work())
                joined += line + "\n";
            return joined;
        }));
    }

    static inline std::unique_ptr<TestNetwork> s_network;
    static inline std::string s_whyNot;
};

TEST_F(NameResolution, ForwardLookupGivesTheFirstAddress) {
    const auto results = inClient([] {
        return std::vector<std::string>{dotted(addressFromText(kMultiName)), dotted(addressFromText(kPeerName)),
                                        dotted(addressFromText("127.0.0.1")),
                                        std::to_string(addressFromText("nowhere.velberd.test")),
                                        std::to_string(addressFromText("255.255.255.255"))};
    });
    EXPECT_EQ(results, (std::vector<std::string>{kMultiFirstAddress, kPeerAddress, "127.0.0.1", "-1", "-1"}));
}

TEST_F(NameResolution, ReverseLookupGivesTheNameOrUnknown) {
    const auto results = inClient([] {
        std::vector<std::string> names;
        for (const char* address : {kPeerAddress, kNamelessAddress, kName255Address, kName256Address, kName300Address})
            names.push_back(hostNameFromAddress(static_cast<Address>(inet_addr(address))));
        return names;
    });
    EXPECT_EQ(results,
              (std::vector<std::string>{kPeerName, kUnknownHost, nameOfLength(255), kUnknownHost, kUnknownHost}));
}

TEST_F(NameResolution, HostNameFromTextChainsBothLookups) {
    const auto results = inClient([] {
        return std::vector<std::string>{hostNameFromText(kPeerAddress), hostNameFromText(kPeerName),
                                        hostNameFromText(kNamelessAddress), hostNameFromText("255.255.255.255"),
                                        hostNameFromText("nowhere.velberd.test")};
    });
    // Text that neither parses nor resolves is looked up as 255.255.255.255, whose name this
    // hosts file knows.
    EXPECT_EQ(results, (std::vector<std::string>{kPeerName, kPeerName, kUnknownHost, kBroadcastName, kBroadcastName}));
}

TEST_F(NameResolution, ConcurrentLookupsKeepTheirOwnAnswers) {
    const auto results = inClient([] {
        std::vector<std::string> wrong(4);
        std::vector<std::thread> workers;
        for (std::size_t t = 0; t < wrong.size(); ++t) {
            workers.emplace_back([&wrong, t] {
                for (int round = 0; round < 50; ++round) {
                    const bool peer = (round + static_cast<int>(t)) % 2 == 0;
                    const std::string name = hostNameFromText(peer ? kPeerAddress : kQuietAddress);
                    if (name != (peer ? kPeerName : kQuietName)) wrong[t] = name;
                }
            });
        }
        for (auto& worker : workers)
            worker.join();
        return wrong;
    });
    EXPECT_EQ(results, (std::vector<std::string>(4)));
}

} // namespace
} // namespace velberd::net
