#include "net/resolve.h"

namespace velberd::net {

std::string hostNameFromText(const std::string& text) {
    return hostNameFromAddress(addressFromText(text));
}

} // namespace velberd::net
