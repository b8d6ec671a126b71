#include "net/udpwait.h"

#include <vector>

namespace velberd::net {
namespace {

// Room for any IPv4 datagram, so no answer is cut by the read.
constexpr std::size_t kLargestDatagram = 65'536;

} // namespace

GamePingResult awaitAnswer(UdpSocket& socket, UdpSocket::Clock::time_point deadline, const StillWanted& wanted,
                           const AnswerCheck& isAnswer) {
    using Read = UdpSocket::Read;
    std::vector<unsigned char> datagram(kLargestDatagram);
    while (socket.waitReadable(deadline, wanted) == UdpSocket::Wait::Readable) {
        for (int i = 0; i < kDatagramsPerWake; ++i) {
            const auto received = socket.receive(datagram);
            // No answer will come from a closed port.
            if (received.read == Read::Refused) return {GamePingOutcome::NoReply, 0};
            if (received.read == Read::Empty) break;
            if (isAnswer(std::span(datagram.data(), received.size)))
                return {GamePingOutcome::Answered, received.roundTripMs};
        }
    }
    return {GamePingOutcome::NoReply, 0};
}

} // namespace velberd::net
