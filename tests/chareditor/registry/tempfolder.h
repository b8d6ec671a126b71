#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velberd::registry::testing {

// A fresh folder below the system's temporary folder, removed with everything in it and, when it
// served as a Wine prefix, with the Wine server folders made for it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

void writeFile(const std::filesystem::path& file, std::string_view content);
std::string readFile(const std::filesystem::path& file);

} // namespace velberd::registry::testing
