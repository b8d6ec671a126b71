#include "net/echo.h"

// The ICMP header needs the Winsock and Windows types declared first, in this order.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>
// clang-format on

namespace velberd::net {

// IcmpSendEcho waits the whole time-out for a silent host; what the caller still wants is not asked.
EchoOutcome exchangeEcho(const std::string& address, const std::string& payload, EchoReplyRecord& record,
                         const StillWanted&) {
    const unsigned long target = inet_addr(address.c_str());
    if (target == INADDR_NONE) return EchoOutcome::NotDotted;
    const HANDLE service = IcmpCreateFile();
    if (service == nullptr || service == INVALID_HANDLE_VALUE) return EchoOutcome::ServiceUnavailable;

    // The caller's record is the reply buffer: what the service leaves there is what the caller reads.
    std::string request = payload;
    const DWORD replies = IcmpSendEcho(service, target, request.data(), static_cast<WORD>(request.size()), nullptr,
                                       record.bytes.data(), static_cast<DWORD>(record.bytes.size()), kEchoTimeoutMs);
    IcmpCloseHandle(service);
    if (replies == 0) return EchoOutcome::NoReply;
    if (record.status() != kIpSuccess) return EchoOutcome::NoReply;
    // An answer from any other address is no answer to this echo: it reads as the time-out it is.
    if (record.address() != target) {
        record.setStatus(kIpReqTimedOut);
        record.setRoundTripTime(0);
        return EchoOutcome::NoReply;
    }
    return EchoOutcome::Replied;
}

} // namespace velberd::net
