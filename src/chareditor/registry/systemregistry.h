#pragma once

#include "chareditor/registry/backend.h"

#include <memory>

namespace velberd::registry {

// The registry the game itself uses: Windows' own on Windows, the Wine prefix's elsewhere.
std::unique_ptr<Backend> makeSystemRegistry();

} // namespace velberd::registry
