#include "browser/logic/gamepathfile.h"

namespace velberd {
namespace {

const std::string_view kCrLf = "\r\n";

// The lines of the file, each with its line end, joined back with CR LF.
std::string joinLines(std::string_view bytes) {
    std::string buffer;
    buffer.reserve(bytes.size() + 2);
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto end = bytes.find('\r', i);
        if (end == std::string_view::npos) {
            buffer.append(bytes.substr(i));
            buffer.append(kCrLf);
            break;
        }
        buffer.append(bytes.substr(i, end - i));
        buffer.append(kCrLf);
        i = end + 1;
        if (i < bytes.size() && bytes[i] == '\n') ++i;
    }
    return buffer;
}

GamePaths cutAt(const std::string& buffer, std::size_t at, std::size_t separatorLength) {
    return {buffer.substr(0, at), buffer.substr(at + separatorLength)};
}

} // namespace

GamePaths parseGamePathFile(std::string_view bytes) {
    auto buffer = joinLines(bytes);
    if (buffer.size() >= 2) buffer.resize(buffer.size() - 2);
    if (const auto crlf = buffer.find(kCrLf); crlf != std::string::npos) return cutAt(buffer, crlf, kCrLf.size());
    if (!buffer.empty() && buffer.back() == '\n') buffer.pop_back();
    if (const auto lf = buffer.find('\n'); lf != std::string::npos) return cutAt(buffer, lf, 1);
    return {buffer, {}};
}

} // namespace velberd
