#pragma once

#include "net/address.h"
#include "net/echo.h"
#include "net/gameping.h"
#include "net/gamestatus.h"

#include <cstdint>
#include <string>

namespace velberd::net {

// The network operations as one replaceable service, so the window can be given fakes in tests.
// Implementations are called from worker threads and must be safe to call concurrently.
class NetServices {
public:
    virtual ~NetServices() = default;

    virtual bool StartSocketLibrary() = 0;
    virtual bool StopSocketLibrary() = 0;
    virtual Address AddressFromText(const std::string& text) = 0;
    virtual std::string HostNameFromAddress(Address address) = 0;
    virtual std::string HostNameFromText(const std::string& text) = 0;
    virtual EchoOutcome exchangeEcho(const std::string& address, const std::string& payload, EchoReplyRecord& record,
                                     const StillWanted& wanted) = 0;
    virtual GamePingResult exchangeGamePing(const std::string& address, std::uint16_t port,
                                            const StillWanted& wanted) = 0;
    virtual GameStatusResult exchangeGameStatus(const std::string& address, std::uint16_t port,
                                                const StillWanted& wanted) = 0;
};

// The platform's own socket library, ICMP service and UDP sockets.
class SystemNetServices final : public NetServices {
public:
    bool StartSocketLibrary() override;
    bool StopSocketLibrary() override;
    Address AddressFromText(const std::string& text) override;
    std::string HostNameFromAddress(Address address) override;
    std::string HostNameFromText(const std::string& text) override;
    EchoOutcome exchangeEcho(const std::string& address, const std::string& payload, EchoReplyRecord& record,
                             const StillWanted& wanted) override;
    GamePingResult exchangeGamePing(const std::string& address, std::uint16_t port, const StillWanted& wanted) override;
    GameStatusResult exchangeGameStatus(const std::string& address, std::uint16_t port,
                                        const StillWanted& wanted) override;
};

} // namespace velberd::net
