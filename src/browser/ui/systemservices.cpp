#include "browser/client/localaddress.h"
#include "browser/client/processstarter.h"
#include "browser/ui/browserservices.h"
#include "chareditor/registry/systemregistry.h"
#ifdef Q_OS_WIN
#include "chareditor/registry/regexeimport.h"
#else
#include "chareditor/registry/wineprefixbackend.h"
#endif
#include "common/messages.h"
#include "net/netservices.h"

#include <QCoreApplication>

namespace velberd {

BrowserServices systemServices() {
    BrowserServices services;
    services.messages = std::make_shared<MessageBoxPresenter>();
    services.net = std::make_shared<net::SystemNetServices>();
    services.processes = std::make_shared<DetachedProcessStarter>();
    services.registry = registry::makeSystemRegistry();
    services.programFolder = QCoreApplication::applicationDirPath();
#ifdef Q_OS_WIN
    services.elevation = std::make_shared<registry::RegExeImport>();
#else
    services.winePrefix = QString::fromStdString(registry::prefixFromEnvironment().string());
#endif
    services.localAddress = primaryIPv4Address;
    return services;
}

} // namespace velberd
