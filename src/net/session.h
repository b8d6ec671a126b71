#pragma once

namespace velberd::net {

// Opens a session with the platform's socket library (version 1.1). True when it opened.
bool startSocketLibrary();

// Ends one session. False when the library refused; the caller decides what to show.
bool stopSocketLibrary();

} // namespace velberd::net
