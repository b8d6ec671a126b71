#pragma once

#include "chareditor/registry/backend.h"

#include <QString>

namespace velberd {

enum class Setting { Name, Colours, Character };

// The message for a setting the registry did not store: that it was lost, why, and, where the
// player can mend it, what to do before trying again.
QString notSavedText(Setting setting, registry::Status status);

} // namespace velberd
