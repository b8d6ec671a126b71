#include "browser/ui/pinground.h"

#include "net/netservices.h"

namespace velberd {

PingRound pingOnce(net::NetServices& net, const std::string& address) {
    PingRound round;
    if (!net.StartSocketLibrary()) return round;
    round.opened = true;
    net::EchoReplyRecord record{};
    net.SendEcho(address, "test", record);
    round.roundTrip = static_cast<std::int32_t>(record.roundTripTime());
    round.closedCleanly = net.StopSocketLibrary();
    return round;
}

} // namespace velberd
