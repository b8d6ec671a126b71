// Stands in for the game where a test must see exactly what a started program received: writes
// the folder it runs in and then its arguments, each ended by a zero byte, to the file that
// VELBERD_ARGV_RECORD names. The file appears whole, by a rename, so a test that waits for it
// never reads half of it.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char* argv[]) {
    const char* record = std::getenv("VELBERD_ARGV_RECORD");
    if (!record) return 2;
    const std::string partial = std::string(record) + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file) return 1;
    const std::string folder = std::filesystem::current_path().string();
    std::fwrite(folder.c_str(), 1, folder.size() + 1, file);
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        std::fwrite(argument.c_str(), 1, argument.size() + 1, file);
    }
    if (std::fclose(file) != 0) return 1;
    std::remove(record);
    return std::rename(partial.c_str(), record) == 0 ? 0 : 1;
}
