#include "gameserveranswer.h"

#include "net/gamepingpacket.h"

#include <initializer_list>
#include <string_view>

namespace velberd::test {
namespace {

namespace gameping = net::gameping;
using Bytes = std::vector<unsigned char>;

constexpr std::uint8_t kPingFlags = 0x01;
constexpr std::uint8_t kStatusRequestType = 0x05;
constexpr std::uint8_t kStatusAnswerType = 0x06;
constexpr std::uint8_t kBattle = 2, kTreasureHunt = 4, kCaptureTheFlag = 5;
// In an extended status answer: the server's flags, and a player's team and flags.
constexpr std::uint8_t kPrivate = 0x01;
constexpr std::uint8_t kBlue = 0, kRed = 1, kSpectating = 0x04;

struct Player {
    std::string_view name;
    std::uint8_t score;
    std::uint8_t flags;
};
constexpr Player kPlayers[] = {
    {"Jazz", 3, kBlue}, {"|Lori|Rabbit", 5, kRed}, {"Spaz", 1, kRed}, {"Devan", 0, kBlue | kSpectating}};

void append(Bytes& datagram, std::string_view bytes) {
    datagram.insert(datagram.end(), bytes.begin(), bytes.end());
}

// Up to the server's name; bytes 12 to 15 mean different things to plain and to extended servers.
Bytes statusHead(std::uint8_t number, std::uint32_t uptime, std::string_view version,
                 std::initializer_list<std::uint8_t> bytes12To15, std::string_view name) {
    Bytes datagram{0, 0, kStatusAnswerType, number};
    for (int shift = 0; shift < 32; shift += 8)
        datagram.push_back(static_cast<unsigned char>(uptime >> shift));
    append(datagram, version);
    datagram.insert(datagram.end(), bytes12To15);
    datagram.push_back(static_cast<unsigned char>(name.size()));
    append(datagram, name);
    return datagram;
}

Bytes statusAnswer(StatusAnswer kind, std::uint8_t number) {
    Bytes datagram;
    if (kind == StatusAnswer::Plain) {
        // Players, unused, game mode, player limit; a spare byte after the name.
        datagram = statusHead(number, 5'400, "1.23", {3, 0, kTreasureHunt, 8}, "Gem Hunters");
        datagram.push_back(0);
    } else if (kind == StatusAnswer::ExtendedPrivate) {
        // Clients, players, game mode, player limit; no custom mode.
        datagram = statusHead(number, 920, "1.24", {2, 2, kBattle, 4}, "Clan Practice");
        datagram.insert(datagram.end(), {0, kPrivate});
    } else {
        // Some extended servers put 0 for the request's number. No custom mode, public; a score
        // limit of 10; blue 4, red 6, green and yellow 0.
        datagram = statusHead(0, 3'725, "1.24", {3, 4, kCaptureTheFlag, 16}, "Flag Frenzy CTF");
        datagram.insert(datagram.end(), {0, 0, 10, 4, 6, 0, 0});
        for (const auto& player : kPlayers) {
            append(datagram, player.name);
            datagram.insert(datagram.end(), {0, player.score, player.flags});
        }
        append(datagram, "flagfrenzy.j2l");
        datagram.insert(datagram.end(), {0, 0}); // the level name's end, and a byte of no meaning
    }
    gameping::sign(datagram);
    return datagram;
}

// A right answer spoilt as the ping's style says; other styles leave it right.
Reply spoilt(Bytes datagram, PingAnswer how, std::uint8_t requestType) {
    switch (how) {
    case PingAnswer::WrongChecksum:
        datagram[1] = static_cast<unsigned char>(datagram[1] + 1);
        return {datagram, false};
    case PingAnswer::WrongType:
        datagram[2] = requestType;
        break;
    case PingAnswer::OtherSequence:
        ++datagram[3];
        break;
    case PingAnswer::ThreeBytes:
        datagram.resize(3);
        break;
    default:
        return {datagram, how == PingAnswer::FromAnotherPort};
    }
    gameping::sign(datagram);
    return {datagram, false};
}

// Datagrams that are no answer to a question whose right answer is given: junk, that answer with a
// wrong checksum or with the request's type, and that answer from another port.
std::vector<Reply> flood(const Bytes& right, std::uint8_t requestType, int floodSize) {
    constexpr PingAnswer kTurns[] = {PingAnswer::WrongChecksum, PingAnswer::WrongType, PingAnswer::FromAnotherPort};
    std::vector<Reply> replies;
    for (int i = 0; i < floodSize; ++i) {
        if (i % 4 == 0)
            replies.push_back({Bytes(static_cast<std::size_t>(i % 64), static_cast<unsigned char>(i)), false});
        else
            replies.push_back(spoilt(right, kTurns[i % 4 - 1], requestType));
    }
    return replies;
}

std::vector<Reply> pingReplies(const AnswerStyle& style, std::uint8_t sequence) {
    const Bytes right = gameping::answer(sequence, kPingFlags);
    if (style.ping == PingAnswer::Nothing) return {};
    if (style.ping == PingAnswer::Flood) return flood(right, gameping::kRequestType, style.floodSize);
    return {spoilt(right, style.ping, gameping::kRequestType)};
}

std::vector<Reply> statusReplies(const AnswerStyle& style, std::uint8_t number) {
    if (style.status == StatusAnswer::None) return {};
    if (style.status == StatusAnswer::Flood)
        return flood(statusAnswer(StatusAnswer::Plain, number), kStatusRequestType, style.floodSize);
    return {{statusAnswer(style.status, number), false}};
}

// A status request is [checksum, 0x05, number, 0x01].
bool isStatusRequest(std::span<const unsigned char> datagram) {
    const auto sum = gameping::checksum(datagram);
    return datagram.size() == 5 && datagram[2] == kStatusRequestType && datagram[4] == 0x01 &&
           (*sum)[0] == datagram[0] && (*sum)[1] == datagram[1];
}

} // namespace

Response respond(std::span<const unsigned char> received, const AnswerStyle& style) {
    if (const auto sequence = gameping::requestSequence(received))
        return {Question::Ping, pingReplies(style, *sequence)};
    if (isStatusRequest(received)) return {Question::Status, statusReplies(style, received[3])};
    return {};
}

} // namespace velberd::test
