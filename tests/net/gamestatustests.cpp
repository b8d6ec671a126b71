#include "net/gamepingpacket.h"
#include "net/gamestatuspacket.h"

#include <gtest/gtest.h>
#include <string_view>

namespace velberd::net {
namespace {

using namespace std::string_view_literals;
using Bytes = std::vector<unsigned char>;

// Of the type given, number 0, no uptime, the version, bytes 12 to 15, the name and what follows it.
Bytes answer(std::string_view version, Bytes bytes12To15, std::string_view name, std::string_view tail = {},
             unsigned char type = gamestatus::kAnswerType) {
    Bytes datagram{0, 0, type, 0, 0, 0, 0, 0};
    datagram.insert(datagram.end(), version.begin(), version.end());
    datagram.insert(datagram.end(), bytes12To15.begin(), bytes12To15.end());
    datagram.push_back(static_cast<unsigned char>(name.size()));
    datagram.insert(datagram.end(), name.begin(), name.end());
    datagram.insert(datagram.end(), tail.begin(), tail.end());
    gameping::sign(datagram);
    return datagram;
}

TEST(GameStatusPacket, RequestIsFiveSignedBytes) {
    EXPECT_EQ(gamestatus::request(3), (std::array<unsigned char, 5>{10, 26, 0x05, 3, 0x01}));
}

TEST(GameStatusPacket, AnAnswerIsReadAsFarAsItIsWhole) {
    const Bytes plainBytes = answer("24\0 "sv, {3, 0, 4, 8}, "Gem");
    const ServerStatus plain{.version = "24", .serverName = "Gem", .players = 3, .limit = 8, .gameMode = 4};
    // Custom mode 13, idle; score limit 10, team scores 4 6 0 0; two players (red; green and spectating); a level.
    const Bytes whole =
        answer("    ", {5, 2, 5, 16}, "CTF", "\x0d\x04\x0a\x04\x06\0\0Jo|x\0\x03\x01Kim\0\0\x06lvl.j2l\0\0"sv);
    ServerStatus full{.serverName = "CTF", .extended = true, .players = 2, .limit = 16, .gameMode = 5};
    full.clients = 5;
    full.customMode = 13;
    full.idle = true;
    full.scoreLimit = 10;
    full.level = "lvl.j2l";
    full.teamScores = {4, 6, 0, 0};
    full.playerList = {{"Jo|x", 3, 1, false}, {"Kim", 0, 2, true}};
    // The header and the name take 20 bytes; what follows them is cut after tailSize bytes.
    const auto cutAt = [&whole](long tailSize) {
        Bytes datagram(whole.begin(), whole.begin() + 20 + tailSize);
        gameping::sign(datagram);
        return datagram;
    };
    const auto shortened = [&full](std::size_t listed, bool listCut, bool teamScores) {
        ServerStatus status = full;
        status.playerList.resize(listed);
        status.playerListCut = listCut;
        status.level.reset();
        if (!teamScores) status.teamScores.reset();
        return status;
    };
    ServerStatus hidden = shortened(0, false, false);
    hidden.scoreLimit.reset();
    hidden.isPrivate = hidden.plusOnly = true;
    Bytes badChecksum = plainBytes;
    ++badChecksum[0];
    const struct {
        const char* label;
        Bytes datagram;
        std::optional<ServerStatus> read;
    } cases[] = {
        {"plain", plainBytes, plain},
        {"plain with a spare byte", answer("24\0 "sv, {3, 0, 4, 8}, "Gem", "\0"sv), plain},
        {"extended with players", whole, full},
        {"private, plus only", answer("    ", {5, 2, 5, 16}, "CTF", "\x0d\x07\x0a"sv), hidden},
        {"a level without its terminator", cutAt(27), full},
        {"missing level", cutAt(20), shortened(2, false, true)},
        {"count beyond what follows", cutAt(14), shortened(1, true, true)},
        {"name without its terminator", cutAt(11), shortened(0, true, true)},
        {"team scores cut", cutAt(4), shortened(0, true, false)},
        {"cut in the header", cutAt(-4), std::nullopt},
        {"name length past the end", cutAt(-1), std::nullopt},
        {"a wrong checksum", badChecksum, std::nullopt},
        {"a ping answer's type", answer("24\0 "sv, {3, 0, 4, 8}, "Gem", {}, gameping::kAnswerType), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gamestatus::readAnswer(c.datagram), c.read) << c.label;
}

} // namespace
} // namespace velberd::net
