#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace velberd {

class MessagePresenter;
class ProcessStarter;
namespace net {
class NetServices;
}
namespace registry {
class Backend;
class ElevatedImport;
} // namespace registry

// Where the list of servers comes from. Design values; tests point it at a loopback server.
struct ListServerEndpoint {
    QString host = QStringLiteral("list.jj2.plus");
    quint16 port = 10057;
};

// Everything of the outside world the main window uses, handed in so that tests can fake it.
struct BrowserServices {
    ListServerEndpoint listServer;
    std::shared_ptr<MessagePresenter> messages;
    // Called from worker threads, never from the user-interface thread.
    std::shared_ptr<net::NetServices> net;
    std::shared_ptr<ProcessStarter> processes;
    // The registry the game keeps its player settings in, for the character editor.
    std::shared_ptr<registry::Backend> registry;
    // On Windows, where only an administrator may change the game's settings: saving them with
    // administrator rights, through Windows' own registry tool. None elsewhere.
    std::shared_ptr<registry::ElevatedImport> elevation;
    // The folder that holds the program: dirs.txt is read from it and the game's logs go there.
    QString programFolder;
    // Away from Windows, the Wine prefix the game runs in: a game path with a drive letter names a
    // file there.
    QString winePrefix;
    std::function<QString()> localAddress;
};

// The services of the real program on this machine.
BrowserServices systemServices();

} // namespace velberd
