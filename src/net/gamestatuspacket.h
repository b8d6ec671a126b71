#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velberd::net {

// Text is kept as the server sent it, bytes and all: the display layer strips and bounds it.
struct StatusPlayer {
    std::string name{}; // holds no zero byte: the zero ends it
    int score = 0;
    int team = 0; // 0 blue, 1 red, 2 green, 3 yellow
    bool spectating = false;

    bool operator==(const StatusPlayer&) const = default;
};

// What a game server tells of itself in its answer to the status query.
struct ServerStatus {
    std::string version{}; // as sent, zero bytes and spaces trimmed
    std::string serverName{};
    bool extended = false;
    int players = 0;
    int limit = 0;
    int gameMode = 0;                // as sent: 0 single player, 1 co-op, 2 battle, 3 race, 4 treasure hunt, 5 CTF
    std::optional<int> clients{};    // extended only
    std::optional<int> customMode{}; // extended only, 0 = off
    bool isPrivate = false;
    bool plusOnly = false;
    bool idle = false;
    std::optional<int> scoreLimit{};
    std::optional<std::array<int, 4>> teamScores{}; // blue, red, green, yellow
    std::vector<StatusPlayer> playerList{};         // the players read whole, in the order sent
    bool playerListCut = false;                     // the list began, but fewer were read whole than `players` said
    std::optional<std::string> level{};             // the level's file name, when one was read

    bool operator==(const ServerStatus&) const = default;
};

} // namespace velberd::net

// The game's status query, which a game server answers on its game port (UDP), checksummed as the
// game's ping is (gamepingpacket.h).
namespace velberd::net::gamestatus {

inline constexpr std::uint8_t kRequestType = 0x05;
inline constexpr std::uint8_t kAnswerType = 0x06;
inline constexpr std::size_t kRequestSize = 5;

// A signed request with the given number, 1 to 6 as for the game ping (gameping::nextSequence()).
std::array<unsigned char, kRequestSize> request(std::uint8_t number);

// What an answer tells, as far as it could be read whole; none unless the checksum is right, the
// type an answer's and the fixed fields through the server's name complete. The number byte is not
// looked at: some servers send 0 there.
std::optional<ServerStatus> readAnswer(std::span<const unsigned char> datagram);

} // namespace velberd::net::gamestatus
