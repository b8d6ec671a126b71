#include "net/echo.h"

// The ICMP header needs the Winsock and Windows types declared first, in this order.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>
// clang-format on

namespace velberd::net {

std::int32_t SendEcho(const std::string& address, const std::string& payload, EchoReplyRecord& record) {
    const unsigned long target = inet_addr(address.c_str());
    if (target == INADDR_NONE) return -1;
    const HANDLE service = IcmpCreateFile();
    if (service == nullptr || service == INVALID_HANDLE_VALUE) return 0;

    // The caller's record is the reply buffer: what the service leaves there is what the caller reads.
    std::string request = payload;
    IcmpSendEcho(service, target, request.data(), static_cast<WORD>(request.size()), nullptr, record.bytes.data(),
                 static_cast<DWORD>(record.bytes.size()), kEchoTimeoutMs);
    IcmpCloseHandle(service);
    return record.status();
}

} // namespace velberd::net
