#include "chareditor/registry/systemregistry.h"

#ifdef _WIN32
#include "chareditor/registry/windowsbackend.h"
#else
#include "chareditor/registry/wineprefixbackend.h"
#endif

namespace velberd::registry {

std::unique_ptr<Backend> makeSystemRegistry() {
#ifdef _WIN32
    return std::make_unique<WindowsBackend>();
#else
    return std::make_unique<WinePrefixBackend>(prefixFromEnvironment());
#endif
}

} // namespace velberd::registry
