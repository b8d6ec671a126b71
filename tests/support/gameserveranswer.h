#pragma once

#include <cstdint>
#include <span>
#include <vector>

// What a game server sends back to a datagram on its game port, for the stand-in game servers of
// the tests, the benchmarks and the offline demo; their sockets and delays are their own.
namespace velberd::test {

// How it answers the game's ping: rightly; with a sequence byte of its own, as some servers send;
// wrongly in one way, from another port of the same host among them; by a flood of datagrams that
// are no answer (junk, wrong checksums, wrong types, answers from another port); or not at all.
enum class PingAnswer { Right, WrongChecksum, WrongType, OtherSequence, FromAnotherPort, ThreeBytes, Flood, Nothing };

// How it answers the game's status query: not at all, as a plain server, as an extended server
// that is private or that has four players in capture the flag, or by a flood as above.
enum class StatusAnswer { None, Plain, ExtendedPrivate, ExtendedWithPlayers, Flood };

struct AnswerStyle {
    PingAnswer ping = PingAnswer::Right;
    StatusAnswer status = StatusAnswer::None;
    int floodSize = 20'000;
};

struct Reply {
    std::vector<unsigned char> datagram;
    bool fromAnotherPort = false;
};

// The question a well-formed datagram asks, and the replies in the order they go out.
enum class Question { None, Ping, Status };
struct Response {
    Question question = Question::None;
    std::vector<Reply> replies;
};

Response respond(std::span<const unsigned char> received, const AnswerStyle& style);

} // namespace velberd::test
