#pragma once

namespace velberd {

// Lets SIGTERM, SIGINT and SIGHUP end the event loop the way closing the window does, so the
// program exits cleanly when the session or a service manager asks it to. No effect on Windows.
void quitOnTerminationSignals();

} // namespace velberd
