#pragma once

#include "chareditor/registry/backend.h"

#include <QString>

namespace velberd {

enum class Setting { Name, Colours, Character };

// The message for a setting the registry did not store: that it was lost, why, and, where the
// player can mend it, what to do before trying again.
QString notSavedText(Setting setting, registry::Status status);

// Where only an administrator may change the game's settings: the offer to save the values shown
// (named in `shown`, e.g. "name, colours and character") with administrator rights, and what
// came of it.
QString administratorSaveQuestion(Setting setting, const QString& shown);
QString administratorSavedText(const QString& shown);
QString administratorDeclinedText(Setting setting);
QString administratorFailedText(Setting setting, const QString& reason);
QString administratorReadBackText(Setting setting);

} // namespace velberd
