#include "net/gamestatuspacket.h"

#include "net/gamepingpacket.h"

#include <algorithm>

namespace velberd::net::gamestatus {
namespace {

constexpr unsigned char kRequestTail = 0x01;
constexpr std::size_t kVersionAt = 8;
constexpr std::size_t kVersionSize = 4;
constexpr std::size_t kFirstCountAt = 12; // players on a plain server, clients on an extended one
constexpr std::size_t kExtendedPlayersAt = 13;
constexpr std::size_t kGameModeAt = 14;
constexpr std::size_t kLimitAt = 15;
constexpr std::size_t kNameLengthAt = 16;
constexpr std::size_t kNameAt = 17;
constexpr int kPrivateFlag = 0x01;
constexpr int kPlusOnlyFlag = 0x02;
constexpr int kIdleFlag = 0x04;
constexpr int kTeamMask = 0x03;
constexpr int kSpectatingFlag = 0x04;

// Reads forward through the bytes after the server's name; a read that would pass the end gives none.
class Reader {
public:
    Reader(std::span<const unsigned char> bytes, std::size_t at) : m_bytes(bytes), m_at(at) {}

    bool atEnd() const { return m_at >= m_bytes.size(); }

    std::optional<int> byte() {
        if (atEnd()) return std::nullopt;
        return m_bytes[m_at++];
    }

    // Text up to a zero byte, which is taken too; none when no zero follows.
    std::optional<std::string> terminated() {
        const auto rest = m_bytes.subspan(std::min(m_at, m_bytes.size()));
        const auto zero = std::find(rest.begin(), rest.end(), 0);
        if (zero == rest.end()) return std::nullopt;
        m_at += static_cast<std::size_t>(zero - rest.begin()) + 1;
        return std::string(rest.begin(), zero);
    }

    // Text up to a zero byte or to the end.
    std::string untilZeroOrEnd() {
        const auto rest = m_bytes.subspan(std::min(m_at, m_bytes.size()));
        m_at = m_bytes.size();
        return std::string(rest.begin(), std::find(rest.begin(), rest.end(), 0));
    }

private:
    std::span<const unsigned char> m_bytes;
    std::size_t m_at;
};

std::string trimmed(std::span<const unsigned char> bytes) {
    const auto blank = [](unsigned char c) { return c == 0 || c == ' '; };
    const auto first = std::find_if_not(bytes.begin(), bytes.end(), blank);
    const auto last = std::find_if_not(bytes.rbegin(), std::make_reverse_iterator(first), blank).base();
    return std::string(first, last);
}

bool checksumHolds(std::span<const unsigned char> datagram) {
    const auto sum = gameping::checksum(datagram);
    return sum && datagram[0] == (*sum)[0] && datagram[1] == (*sum)[1];
}

// The players follow only while every field before them was read whole.
void readPlayers(Reader& in, ServerStatus& status) {
    for (int i = 0; i < status.players; ++i) {
        const auto name = in.terminated();
        const auto score = in.byte();
        const auto flags = in.byte();
        if (!name || !score || !flags) {
            status.playerListCut = true;
            return;
        }
        status.playerList.push_back({*name, *score, *flags & kTeamMask, (*flags & kSpectatingFlag) != 0});
    }
    if (auto level = in.untilZeroOrEnd(); !level.empty()) status.level = std::move(level);
}

// Both bytes after the name are there: an answer is extended only when it holds them.
void readExtension(Reader in, ServerStatus& status) {
    status.customMode = in.byte();
    const int flags = in.byte().value_or(0);
    status.isPrivate = (flags & kPrivateFlag) != 0;
    status.plusOnly = (flags & kPlusOnlyFlag) != 0;
    status.idle = (flags & kIdleFlag) != 0;
    // A private server names nobody; an older extended server ends after its flags.
    if (status.isPrivate || in.atEnd()) return;
    status.scoreLimit = in.byte();
    std::array<int, 4> scores{};
    for (int& score : scores) {
        const auto read = in.byte();
        if (!read) {
            status.playerListCut = status.players > 0;
            return;
        }
        score = *read;
    }
    status.teamScores = scores;
    readPlayers(in, status);
}

} // namespace

std::array<unsigned char, kRequestSize> request(std::uint8_t number) {
    std::array<unsigned char, kRequestSize> datagram{0, 0, kRequestType, number, kRequestTail};
    gameping::sign(datagram);
    return datagram;
}

std::optional<ServerStatus> readAnswer(std::span<const unsigned char> datagram) {
    if (datagram.size() <= kNameLengthAt || datagram[2] != kAnswerType || !checksumHolds(datagram)) return std::nullopt;
    const std::size_t nameEnd = kNameAt + datagram[kNameLengthAt];
    if (datagram.size() < nameEnd) return std::nullopt;

    ServerStatus status;
    status.version = trimmed(datagram.subspan(kVersionAt, kVersionSize));
    status.serverName.assign(datagram.begin() + kNameAt, datagram.begin() + static_cast<std::ptrdiff_t>(nameEnd));
    status.gameMode = datagram[kGameModeAt];
    status.limit = datagram[kLimitAt];
    // A plain server's answer ends at most one byte after the name.
    status.extended = datagram.size() > nameEnd + 1;
    if (!status.extended) {
        status.players = datagram[kFirstCountAt];
        return status;
    }
    status.clients = datagram[kFirstCountAt];
    status.players = datagram[kExtendedPlayersAt];
    readExtension(Reader(datagram, nameEnd), status);
    return status;
}

} // namespace velberd::net::gamestatus
