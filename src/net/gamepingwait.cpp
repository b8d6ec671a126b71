#include "net/gamepingwait.h"

#include "net/gamepingpacket.h"

namespace velberd::net {

GamePingResult awaitGamePingAnswer(GamePingSocket& socket, GamePingSocket::Clock::time_point deadline,
                                   const StillWanted& wanted) {
    using Read = GamePingSocket::Read;
    unsigned char datagram[512];
    while (socket.waitReadable(deadline, wanted) == GamePingSocket::Wait::Readable) {
        for (int i = 0; i < kDatagramsPerWake; ++i) {
            const auto received = socket.receive(datagram);
            // No answer will come from a closed port.
            if (received.read == Read::Refused) return {GamePingOutcome::NoReply, 0};
            if (received.read == Read::Empty) break;
            if (received.fromServer && gameping::isAnswer(std::span(datagram, received.size)))
                return {GamePingOutcome::Answered, received.roundTripMs};
        }
    }
    return {GamePingOutcome::NoReply, 0};
}

} // namespace velberd::net
