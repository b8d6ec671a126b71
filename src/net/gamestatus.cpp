#include "net/gamestatus.h"

#include "net/gamepingpacket.h"
#include "net/udpexchange.h"

namespace velberd::net {

GameStatusResult exchangeGameStatus(const std::string& address, std::uint16_t port, const StillWanted& wanted) {
    GameStatusResult result;
    const auto takeStatus = [&result](std::span<const unsigned char> datagram) {
        auto status = gamestatus::readAnswer(datagram);
        if (status) result.status = std::move(*status);
        return status.has_value();
    };
    const auto request = gamestatus::request(gameping::nextSequence());
    result.outcome =
        exchangeDatagram(address, port, request, std::chrono::milliseconds(kGameStatusTimeoutMs), takeStatus, wanted)
            .outcome;
    return result;
}

} // namespace velberd::net
