#include "browser/client/localaddress.h"

#include <QNetworkInterface>

namespace velberd {

QString primaryIPv4Address() {
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const auto& interface : interfaces) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const auto& entry : interface.addressEntries()) {
            const auto ip = entry.ip();
            if (ip.protocol() == QAbstractSocket::IPv4Protocol && !ip.isLinkLocal()) return ip.toString();
        }
    }
    return QStringLiteral("127.0.0.1");
}

} // namespace velberd
