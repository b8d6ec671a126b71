#pragma once

#include "chareditor/registry/wineserver.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace velberd::test {

// Removes what writes to a prefix of a test's own made outside it: the prefix's Wine server
// folders, and the folder that its file "wineserver" names when a write made that folder for it.
// Each only below a real folder of this user's own, so that a link planted in the place of one
// leads nowhere.
inline void removeWineServerFolders(const std::filesystem::path& prefix) {
    const auto ownFolder = [](const std::filesystem::path& folder) {
        struct stat info {};
        return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
    };
    std::ifstream nameFile(prefix / "wineserver", std::ios::binary);
    const std::string named{std::istreambuf_iterator<char>(nameFile), std::istreambuf_iterator<char>()};
    std::error_code ignored;
    for (const auto& folder : registry::wineServerFolders(prefix)) {
        const auto root = folder.parent_path();
        if (ownFolder(root)) std::filesystem::remove_all(root.filename() == named ? root : folder, ignored);
    }
}

} // namespace velberd::test
