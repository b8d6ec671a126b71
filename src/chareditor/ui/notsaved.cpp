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

QString administratorSaveQuestion(Setting setting, const QString& shown) {
    return notSavedText(setting, registry::kAccessDenied) +
           QStringLiteral(" On this computer only an administrator may change the game's settings.\n\nSave the %1 "
                          "shown here with administrator rights? Windows asks for an administrator's approval, and "
                          "only Windows' own registry tool runs with it.")
               .arg(shown);
}

QString administratorSavedText(const QString& shown) {
    return QStringLiteral("The %1 were saved with administrator rights.").arg(shown);
}

QString administratorDeclinedText(Setting setting) {
    return lost(setting) + QStringLiteral("\n\nWindows did not give administrator rights, so nothing was saved.");
}

QString administratorFailedText(Setting setting, const QString& reason) {
    return lost(setting) + QStringLiteral("\n\nWindows' registry tool could not save the settings: %1").arg(reason);
}

QString administratorReadBackText(Setting setting) {
    return lost(setting) + QStringLiteral("\n\nWindows' registry tool ended, but the game's settings do not read "
                                          "back as they were shown.");
}

} // namespace velberd
