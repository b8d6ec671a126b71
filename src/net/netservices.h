#pragma once

#include "net/echo.h"
#include "net/gameping.h"
#include "net/gamestatus.h"
#include "net/resolve.h"
#include "net/session.h"

#include <cstdint>
#include <string>

namespace velberd::net {

// The network operations as one replaceable service, so the window can be given fakes in tests.
// Implementations are called from worker threads and must be safe to call concurrently.
class NetServices {
public:
    virtual ~NetServices() = default;

    virtual bool startSocketLibrary() = 0;
    virtual bool stopSocketLibrary() = 0;
    virtual std::string hostNameFromText(const std::string& text) = 0;
    virtual EchoOutcome exchangeEcho(const std::string& address, const std::string& payload, EchoReplyRecord& record,
                                     const StillWanted& wanted) = 0;
    virtual GamePingResult exchangeGamePing(const std::string& address, std::uint16_t port,
                                            const StillWanted& wanted) = 0;
    virtual GameStatusResult exchangeGameStatus(const std::string& address, std::uint16_t port,
                                                const StillWanted& wanted) = 0;
};

// The platform's own socket library, resolver, ICMP service and UDP sockets.
class SystemNetServices final : public NetServices {
public:
    bool startSocketLibrary() override { return net::startSocketLibrary(); }
    bool stopSocketLibrary() override { return net::stopSocketLibrary(); }
    std::string hostNameFromText(const std::string& text) override { return net::hostNameFromText(text); }
    EchoOutcome exchangeEcho(const std::string& address, const std::string& payload, EchoReplyRecord& record,
                             const StillWanted& wanted) override {
        return net::exchangeEcho(address, payload, record, wanted);
    }
    GamePingResult exchangeGamePing(const std::string& address, std::uint16_t port,
                                    const StillWanted& wanted) override {
        return net::exchangeGamePing(address, port, wanted);
    }
    GameStatusResult exchangeGameStatus(const std::string& address, std::uint16_t port,
                                        const StillWanted& wanted) override {
        return net::exchangeGameStatus(address, port, wanted);
    }
};

} // namespace velberd::net
