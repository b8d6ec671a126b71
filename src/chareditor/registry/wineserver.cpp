#include "chareditor/registry/wineserver.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace velberd::registry {
namespace {

bool accepts(const std::filesystem::path& socketPath) {
    const std::string path = socketPath.string();
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    // A socket file left behind by a server that has gone refuses the connection.
    const bool listening = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return listening;
}

} // namespace

std::vector<std::filesystem::path> wineServerSockets(const std::filesystem::path& prefix) {
    struct stat info {};
    if (::stat(prefix.c_str(), &info) != 0) return {};
    char serverFolder[64];
    std::snprintf(serverFolder, sizeof serverFolder, "server-%llx-%llx", static_cast<unsigned long long>(info.st_dev),
                  static_cast<unsigned long long>(info.st_ino));
    const std::filesystem::path temporary = "/tmp";
    std::vector<std::filesystem::path> sockets{temporary / (".wine-" + std::to_string(::getuid())) / serverFolder /
                                               "socket"};
    std::ifstream named(prefix / "wineserver");
    std::string folder;
    if (std::getline(named, folder) && !folder.empty() && folder.find('/') == std::string::npos) {
        sockets.push_back(temporary / folder / serverFolder / "socket");
    }
    return sockets;
}

bool wineServerRunning(const std::filesystem::path& prefix) {
    for (const auto& socket : wineServerSockets(prefix)) {
        if (accepts(socket)) return true;
    }
    return false;
}

} // namespace velberd::registry
