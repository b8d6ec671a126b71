#include "browser/logic/pinground.h"

#include "net/netservices.h"

namespace velberd {

using Result = Measurement::Result;

PingRound pingOnce(net::NetServices& net, const std::string& address, const net::StillWanted& wanted) {
    PingRound round;
    if (!net.startSocketLibrary()) return round;
    round.opened = true;
    net::EchoReplyRecord record{};
    switch (net.exchangeEcho(address, "test", record, wanted)) {
    case net::EchoOutcome::Replied:
        round.echo = {Result::Answered, record.roundTripTime()};
        break;
    case net::EchoOutcome::NoReply:
        round.echo = {Result::NoReply, 0};
        break;
    case net::EchoOutcome::ServiceUnavailable:
        round.echo = {Result::CannotSend, 0};
        break;
    case net::EchoOutcome::NotDotted:
        break;
    }
    round.closedCleanly = net.stopSocketLibrary();
    return round;
}

Measurement gamePingOnce(net::NetServices& net, const std::string& address, std::optional<std::uint16_t> port,
                         const net::StillWanted& wanted) {
    if (!port) return {Result::NotSent, 0};
    const auto result = net.exchangeGamePing(address, *port, wanted);
    switch (result.outcome) {
    case net::GamePingOutcome::Answered:
        return {Result::Answered, result.roundTripMs};
    case net::GamePingOutcome::NoReply:
        return {Result::NoReply, 0};
    case net::GamePingOutcome::CannotSend:
        return {Result::CannotSend, 0};
    case net::GamePingOutcome::NotDotted:
        break;
    }
    return {Result::NotSent, 0};
}

} // namespace velberd
