#pragma once

#include "net/address.h"
#include "net/echo.h"

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
    virtual EchoOutcome exchangeEcho(const std::string& address, const std::string& payload,
                                     EchoReplyRecord& record) = 0;
};

// The platform's own socket library and ICMP service.
class SystemNetServices final : public NetServices {
public:
    bool StartSocketLibrary() override;
    bool StopSocketLibrary() override;
    Address AddressFromText(const std::string& text) override;
    std::string HostNameFromAddress(Address address) override;
    std::string HostNameFromText(const std::string& text) override;
    EchoOutcome exchangeEcho(const std::string& address, const std::string& payload, EchoReplyRecord& record) override;
};

} // namespace velberd::net
