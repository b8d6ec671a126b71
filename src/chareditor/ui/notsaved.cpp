#include "chareditor/ui/notsaved.h"

namespace velberd {
namespace {

QString lost(Setting setting) {
    switch (setting) {
    case Setting::Name:
        return QStringLiteral("The name was not saved.");
    case Setting::Colours:
        return QStringLiteral("The colours were not saved.");
    case Setting::Character:
        return QStringLiteral("The character was not saved.");
    }
    return {};
}

QString tryAgain(Setting setting) {
    return setting == Setting::Character ? QStringLiteral("choose the character again.")
                                         : QStringLiteral("press Set again.");
}

QString reason(Setting setting, registry::Status status) {
    switch (status) {
    case registry::kBusy:
        return QStringLiteral("Wine is running for this prefix and would write its own copy over the change. Close "
                              "the game, then ") +
               tryAgain(setting);
    case registry::kLockViolation:
        return QStringLiteral("Another Velberd is saving the game's settings at this moment. Wait until it is done, "
                              "then ") +
               tryAgain(setting);
    case registry::kFileNotFound:
        return QStringLiteral("The game has no settings for this version yet. Start it once, then ") +
               tryAgain(setting);
    case registry::kAccessDenied:
        return QStringLiteral("Access to the game's settings was denied.");
    case registry::kDiskFull:
        return QStringLiteral("The disk is full.");
    case registry::kFileTooLarge:
        return QStringLiteral("The settings file would grow beyond the size allowed.");
    case registry::kReadFault:
        return QStringLiteral("The settings file could not be read whole, so it was left as it was.");
    case registry::kWriteFault:
        return QStringLiteral("The settings file could not be written.");
    default:
        return QStringLiteral("Error %1.").arg(status);
    }
}

} // namespace

QString notSavedText(Setting setting, registry::Status status) {
    return lost(setting) + QStringLiteral("\n\n") + reason(setting, status);
}

} // namespace velberd
