#include "net/resolve.h"

namespace velberd::net {

std::string HostNameFromText(const std::string& text) {
    return HostNameFromAddress(AddressFromText(text));
}

} // namespace velberd::net
