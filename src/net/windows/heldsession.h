#pragma once

#include "net/session.h"

namespace velberd::net {

// Winsock answers only inside a session. Work that may run before or beside the window's own
// session for the echo holds one of its own for as long as it runs (sessions nest).
class HeldSession {
public:
    HeldSession() : m_open(startSocketLibrary()) {}
    ~HeldSession() {
        if (m_open) stopSocketLibrary();
    }
    HeldSession(const HeldSession&) = delete;
    HeldSession& operator=(const HeldSession&) = delete;

    bool isOpen() const { return m_open; }

private:
    bool m_open;
};

} // namespace velberd::net
