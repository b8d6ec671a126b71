#include "net/connectionend.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velberd::net {

ConnectionEndProbe::ConnectionEndProbe(std::intptr_t descriptor) {
    if (descriptor >= 0) m_handle = fcntl(static_cast<int>(descriptor), F_DUPFD_CLOEXEC, 0);
}

ConnectionEndProbe::~ConnectionEndProbe() {
    if (m_handle >= 0) close(static_cast<int>(m_handle));
}

// While this handle stays open the socket is not closed from this side: a peer's FIN leaves it
// waiting in CLOSE_WAIT, a reset leaves it CLOSED (Linux's TCP_INFO).
ConnectionEnd ConnectionEndProbe::end() const {
    tcp_info info{};
    socklen_t size = sizeof info;
    if (m_handle < 0 || getsockopt(static_cast<int>(m_handle), IPPROTO_TCP, TCP_INFO, &info, &size) != 0)
        return ConnectionEnd::Unknown;
    if (info.tcpi_state == TCP_CLOSE_WAIT) return ConnectionEnd::Orderly;
    if (info.tcpi_state == TCP_CLOSE) return ConnectionEnd::Reset;
    return ConnectionEnd::Unknown;
}

} // namespace velberd::net
