#include "browser/ui/pinground.h"

#include "net/netservices.h"

namespace velberd {

PingRound pingOnce(net::NetServices& net, const std::string& address) {
    PingRound round;
    if (!net.StartSocketLibrary()) return round;
    round.opened = true;
    net::EchoReplyRecord record{};
    round.outcome = net.exchangeEcho(address, "test", record);
    round.roundTrip = record.roundTripTime();
    round.closedCleanly = net.StopSocketLibrary();
    return round;
}

QString pingCaption(const PingRound& round) {
    switch (round.outcome) {
    case net::EchoOutcome::Replied:
        return QStringLiteral("%1 ms").arg(round.roundTrip);
    case net::EchoOutcome::ServiceUnavailable:
        return QStringLiteral("cannot ping");
    case net::EchoOutcome::NotDotted:
    case net::EchoOutcome::NoReply:
        break;
    }
    return QStringLiteral("no reply");
}

} // namespace velberd
