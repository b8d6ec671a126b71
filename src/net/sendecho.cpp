#include "net/echo.h"

namespace velberd::net {

std::int32_t echoStatus(EchoOutcome outcome, const EchoReplyRecord& record) {
    switch (outcome) {
    case EchoOutcome::NotDotted:
        return -1;
    case EchoOutcome::ServiceUnavailable:
        return 0;
    case EchoOutcome::NoReply:
    case EchoOutcome::Replied:
        break;
    }
    return record.status();
}

std::int32_t SendEcho(const std::string& address, const std::string& payload, EchoReplyRecord& record) {
    const auto outcome = exchangeEcho(address, payload, record);
    return echoStatus(outcome, record);
}

} // namespace velberd::net
