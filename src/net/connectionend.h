#pragma once

#include <cstdint>

namespace velberd::net {

// How the peer of a TCP connection ended it: with its orderly close, or with a reset.
enum class ConnectionEnd { Orderly, Reset, Unknown };

// Keeps a handle of its own on a connected socket, so that after its owner has seen the peer end
// the connection (and closed its own descriptor) the platform can still be asked how it ended.
// Qt reports an orderly close and a reset alike, as the remote host closing.
class ConnectionEndProbe {
public:
    explicit ConnectionEndProbe(std::intptr_t descriptor);
    ~ConnectionEndProbe();
    ConnectionEndProbe(const ConnectionEndProbe&) = delete;
    ConnectionEndProbe& operator=(const ConnectionEndProbe&) = delete;

    // Asked once the peer has ended the connection; Unknown where the platform does not tell.
    ConnectionEnd end() const;

private:
    std::intptr_t m_handle = -1;
};

} // namespace velberd::net
