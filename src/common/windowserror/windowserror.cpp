#include "common/windowserror/windowserror.h"

#include <windows.h>

namespace velberd {

std::string windowsErrorText(unsigned long error, std::string_view path) {
    // Inserts are ignored: Windows would read an argument for every one a message names, and a
    // message may name more than the one path there is.
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason;
    if (length > 0) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        reason.resize(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), reason.data(), size, nullptr, nullptr);
    }
    LocalFree(text);

    constexpr std::string_view kSpace = " \t\r\n";
    const auto first = reason.find_first_not_of(kSpace);
    if (first == std::string::npos) return "Windows error " + std::to_string(error) + ".";
    reason = reason.substr(first, reason.find_last_not_of(kSpace) + 1 - first);
    for (auto at = reason.find("%1"); at != std::string::npos; at = reason.find("%1", at + path.size()))
        reason.replace(at, 2, path);
    return reason;
}

} // namespace velberd
