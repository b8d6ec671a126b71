#include "browser/ui/browserservices.h"
#include "browser/ui/localaddress.h"
#include "common/messages.h"

#include <QCoreApplication>

namespace velberd {

BrowserServices systemServices() {
    BrowserServices services;
    services.messages = std::make_shared<MessageBoxPresenter>();
    services.programFolder = QCoreApplication::applicationDirPath();
    services.localAddress = primaryIPv4Address;
    return services;
}

} // namespace velberd
