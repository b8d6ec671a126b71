#include "sandbox/testnetwork.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace velberd::net::sandbox {
namespace {

bool namespaceExists(const std::string& name) {
    return std::filesystem::exists("/run/netns/" + name);
}

// Making a test network first removes the namespaces that a killed test process left behind:
// those with a name it makes, whose process is gone. Every other name stays, however alike.
TEST(TestNetworkCleanUp, RemovesOnlyItsOwnStaleNamespaces) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to create network namespaces (run the tests as root)";
    // No process has an id above the kernel's largest, 2^22.
    const std::string gone = std::to_string((1 << 22) + 1);
    const std::vector<std::string> stale = {"vbt" + gone + "-c", "vbt" + gone + "-p", "vbt" + gone + "-q"};
    const std::vector<std::string> decoys = {
        "vbt1-c", // its process is alive
        "vbt" + gone + "-x",
        "vbt" + gone + "-cc",
        "vbt" + gone + "c",
        "vbt" + gone,
        "vbt" + gone + "-p-c",
        "vbt0" + gone + "-c",
        "vbt+" + gone + "-c",
        "vbt-c",
        "vbtx" + gone + "-c",
        "xvbt" + gone + "-c",
        "vbdemo" + gone + "-c",
    };
    for (const auto& name : stale)
        ASSERT_EQ(std::system(("ip netns add '" + name + "'").c_str()), 0) << name;
    for (const auto& name : decoys)
        ASSERT_EQ(std::system(("ip netns add '" + name + "'").c_str()), 0) << name;

    std::string whyNot;
    const auto network = TestNetwork::create(whyNot);
    std::vector<std::string> remaining;
    for (const auto& name : decoys) {
        if (namespaceExists(name)) remaining.push_back(name);
        std::system(("ip netns del '" + name + "' 2>/dev/null").c_str());
    }
    ASSERT_TRUE(network) << whyNot;
    for (const auto& name : stale)
        EXPECT_FALSE(namespaceExists(name)) << name;
    EXPECT_EQ(remaining, decoys);
}

} // namespace
} // namespace velberd::net::sandbox
