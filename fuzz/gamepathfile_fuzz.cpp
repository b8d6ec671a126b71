// dirs.txt as any editor or disk error may leave it.
#include "browser/logic/gamepathfile.h"
#include "check.h"

#include <cstddef>
#include <cstdint>

using velberd::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto paths = velberd::parseGamePathFile(bytes);
    require(bytes.starts_with(paths.classic), "the first path is the start of the file");
    require(paths.classic.find("\r\n") == std::string::npos, "the first path is one line");
    return 0;
}
