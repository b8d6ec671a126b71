#include "net/netservices.h"

#include "net/resolve.h"
#include "net/session.h"

namespace velberd::net {

bool SystemNetServices::startSocketLibrary() {
    return net::startSocketLibrary();
}

bool SystemNetServices::stopSocketLibrary() {
    return net::stopSocketLibrary();
}

std::string SystemNetServices::hostNameFromText(const std::string& text) {
    return net::hostNameFromText(text);
}

EchoOutcome SystemNetServices::exchangeEcho(const std::string& address, const std::string& payload,
                                            EchoReplyRecord& record, const StillWanted& wanted) {
    return net::exchangeEcho(address, payload, record, wanted);
}

GamePingResult SystemNetServices::exchangeGamePing(const std::string& address, std::uint16_t port,
                                                   const StillWanted& wanted) {
    return net::exchangeGamePing(address, port, wanted);
}

GameStatusResult SystemNetServices::exchangeGameStatus(const std::string& address, std::uint16_t port,
                                                       const StillWanted& wanted) {
    return net::exchangeGameStatus(address, port, wanted);
}

} // namespace velberd::net
