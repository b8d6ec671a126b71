#include "net/gameping.h"

#include "net/gamepingpacket.h"
#include "net/udpexchange.h"

namespace velberd::net {

GamePingResult exchangeGamePing(const std::string& address, std::uint16_t port, const StillWanted& wanted) {
    const auto request = gameping::request(gameping::nextSequence());
    return exchangeDatagram(address, port, request, std::chrono::milliseconds(kGamePingTimeoutMs), gameping::isAnswer,
                            wanted);
}

} // namespace velberd::net
