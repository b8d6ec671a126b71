#include "net/gamepingpacket.h"
#include "net/gamestatus.h"
#include "net/gamestatuspacket.h"
#include "standingameserver.h"

#include <gtest/gtest.h>
#include <string_view>

namespace velberd::net {
namespace {

using namespace std::string_view_literals;
using Bytes = std::vector<unsigned char>;

// A signed answer: number 0, no uptime, the four version bytes, bytes 12 to 15, the name and what follows it.
Bytes answer(std::string_view version, Bytes bytes12To15, std::string_view name, std::string_view tail = {}) {
    Bytes datagram{0, 0, gamestatus::kAnswerType, 0, 0, 0, 0, 0};
    datagram.insert(datagram.end(), version.begin(), version.end());
    datagram.insert(datagram.end(), bytes12To15.begin(), bytes12To15.end());
    datagram.push_back(static_cast<unsigned char>(name.size()));
    datagram.insert(datagram.end(), name.begin(), name.end());
    datagram.insert(datagram.end(), tail.begin(), tail.end());
    gameping::sign(datagram);
    return datagram;
}

Bytes cut(Bytes datagram, std::size_t size) {
    datagram.resize(size);
    gameping::sign(datagram);
    return datagram;
}

ServerStatus with(ServerStatus status, void (*change)(ServerStatus&)) {
    change(status);
    return status;
}

TEST(GameStatusPacket, RequestIsFiveSignedBytes) {
    EXPECT_EQ(gamestatus::request(3), (std::array<unsigned char, 5>{10, 26, 0x05, 3, 0x01}));
}

TEST(GameStatusPacket, AnAnswerIsReadAsFarAsItIsWhole) {
    const ServerStatus plain{.version = "24", .serverName = "Gem", .players = 3, .limit = 8, .gameMode = 4};
    // Custom mode 13, idle; score limit 10, team scores 4 6 0 0; two players (red; green and spectating); a level.
    const auto extendedTail = "\x0d\x04\x0a\x04\x06\x00\x00"
                              "A|x\0\x03\x01"
                              "Bob\0\x00\x06"
                              "ctf.j2l\0\x00"sv;
    const ServerStatus extended{.version = "1.24",
                                .serverName = "CTF",
                                .extended = true,
                                .players = 2,
                                .limit = 16,
                                .gameMode = 5,
                                .clients = 5,
                                .customMode = 13,
                                .idle = true,
                                .scoreLimit = 10,
                                .teamScores = std::array{4, 6, 0, 0},
                                .playerList = {{"A|x", 3, 1, false}, {"Bob", 0, 2, true}},
                                .level = "ctf.j2l"};
    const Bytes extendedBytes = answer("1.24", {5, 2, 5, 16}, "CTF", extendedTail);
    // The header and the name take 20 bytes.
    const auto cutAt = [&](std::size_t tailSize) { return cut(extendedBytes, 20 + tailSize); };
    Bytes badChecksum = answer("24\0 "sv, {3, 0, 4, 8}, "Gem");
    ++badChecksum[0];
    Bytes otherType = answer("24\0 "sv, {3, 0, 4, 8}, "Gem");
    otherType[2] = gameping::kAnswerType;
    gameping::sign(otherType);
    const struct {
        const char* label;
        Bytes datagram;
        std::optional<ServerStatus> read;
    } cases[] = {
        {"plain", answer("24\0 "sv, {3, 0, 4, 8}, "Gem"), plain},
        {"plain with a spare byte", answer("24\0 "sv, {3, 0, 4, 8}, "Gem", "\0"sv), plain},
        {"extended with players", extendedBytes, extended},
        {"private, plus only", answer("1.24", {5, 2, 5, 16}, "CTF", "\x00\x03\x0a"sv),
         ServerStatus{.version = "1.24",
                      .serverName = "CTF",
                      .extended = true,
                      .players = 2,
                      .limit = 16,
                      .gameMode = 5,
                      .clients = 5,
                      .customMode = 0,
                      .isPrivate = true,
                      .plusOnly = true}},
        {"a level without its terminator", cutAt(26), extended},
        {"missing level", cutAt(19), with(extended, [](ServerStatus& s) { s.level.reset(); })},
        {"count beyond what follows", cutAt(13),
         with(extended,
              [](ServerStatus& s) {
                  s.playerList.resize(1);
                  s.playerListCut = true;
                  s.level.reset();
              })},
        {"name without its terminator", cutAt(10),
         with(extended,
              [](ServerStatus& s) {
                  s.playerList.clear();
                  s.playerListCut = true;
                  s.level.reset();
              })},
        {"team scores cut", cutAt(4),
         with(extended,
              [](ServerStatus& s) {
                  s.teamScores.reset();
                  s.playerList.clear();
                  s.playerListCut = true;
                  s.level.reset();
              })},
        {"cut in the header", cut(extendedBytes, 16), std::nullopt},
        {"name length past the end", cut(extendedBytes, 19), std::nullopt},
        {"a wrong checksum", badChecksum, std::nullopt},
        {"a ping answer's type", otherType, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gamestatus::readAnswer(c.datagram), c.read) << c.label;
}

// Loopback only: the stand-in listens on 127.0.0.1. Its answers come from an encoder of its own.
TEST(GameStatus, TheStandInsAnswerIsWhatTheExchangeGives) {
    using test::StatusAnswer;
    const struct {
        StatusAnswer style;
        std::string serverName;
        std::size_t listed;
        bool isPrivate;
    } cases[] = {
        {StatusAnswer::Plain, "Gem Hunters", 0, false},
        {StatusAnswer::ExtendedPrivate, "Clan Practice", 0, true},
        {StatusAnswer::ExtendedWithPlayers, "Flag Frenzy CTF", 4, false},
    };
    for (const auto& c : cases) {
        const test::StandInGameServer server(test::AnswerStyle{.status = c.style});
        const auto result = exchangeGameStatus("127.0.0.1", server.port(), {});
        EXPECT_EQ(result.outcome, GamePingOutcome::Answered) << c.serverName;
        EXPECT_EQ(result.status.serverName, c.serverName);
        EXPECT_EQ(result.status.playerList.size(), c.listed) << c.serverName;
        EXPECT_EQ(result.status.isPrivate, c.isPrivate) << c.serverName;
    }
}

} // namespace
} // namespace velberd::net
