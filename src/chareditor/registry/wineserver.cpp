#include "chareditor/registry/wineserver.h"

#include "chareditor/registry/atomicfile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace velberd::registry {
namespace {

std::filesystem::path upstreamRoot() {
    return "/tmp/.wine-" + std::to_string(::getuid());
}

// Debian's Wine makes its folder in $TMPDIR, else in /tmp.
std::filesystem::path temporaryRoot() {
    const char* folder = std::getenv("TMPDIR");
    return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

std::filesystem::path debianNameFile(const std::filesystem::path& prefix) {
    return prefix / "wineserver";
}

// The folder name the prefix's file keeps, when Wine trusts that file: a regular file of the
// user's, readable by the user alone (mode 0400), naming a folder directly below the temporary one.
std::optional<std::string> debianFolderName(const std::filesystem::path& prefix) {
    const auto file = debianNameFile(prefix);
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::getuid() ||
        (info.st_mode & 07777) != 0400) {
        return std::nullopt;
    }
    std::ifstream in(file);
    std::string name;
    if (!std::getline(in, name) || name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
        return std::nullopt;
    }
    return name;
}

// What Debian's Wine does for a prefix without a file it trusts: a fresh folder, its name in a
// new file. A server starting meanwhile may make its own first; then that one counts.
void makeDebianFolder(const std::filesystem::path& prefix) {
    std::string folder = (temporaryRoot() / "wine-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) return;
    const auto file = debianNameFile(prefix);
    ::unlink(file.c_str());
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0400);
    const bool written = fd >= 0 && writeAll(fd, std::filesystem::path(folder).filename().string());
    if (fd >= 0 && (::close(fd) != 0 || !written)) ::unlink(file.c_str());
    if (!debianFolderName(prefix)) ::rmdir(folder.c_str());
}

// A folder of the user's own, made as Wine's server makes it when it is missing. Where it cannot
// be had, Wine's server cannot start either.
bool ownFolder(const std::filesystem::path& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

} // namespace

std::vector<std::filesystem::path> wineServerFolders(const std::filesystem::path& prefix) {
    struct stat info {};
    if (::stat(prefix.c_str(), &info) != 0) return {};
    char serverFolder[64];
    std::snprintf(serverFolder, sizeof serverFolder, "server-%llx-%llx", static_cast<unsigned long long>(info.st_dev),
                  static_cast<unsigned long long>(info.st_ino));
    std::vector<std::filesystem::path> folders{upstreamRoot() / serverFolder};
    if (const auto name = debianFolderName(prefix)) folders.push_back(temporaryRoot() / *name / serverFolder);
    return folders;
}

std::optional<WineServerLock> WineServerLock::take(const std::filesystem::path& prefix) {
    std::error_code error;
    if (std::filesystem::is_directory(prefix, error) && !debianFolderName(prefix)) makeDebianFolder(prefix);
    WineServerLock lock;
    for (const auto& folder : wineServerFolders(prefix)) {
        if (!ownFolder(folder.parent_path()) || !ownFolder(folder)) continue;
        const int fd = ::open((folder / "lock").c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) continue;
        struct flock whole {};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        if (::fcntl(fd, F_SETLK, &whole) == 0) {
            lock.m_files.push_back(fd);
            continue;
        }
        const bool held = errno == EAGAIN || errno == EACCES;
        ::close(fd);
        if (held) return std::nullopt;
    }
    return lock;
}

WineServerLock::WineServerLock(WineServerLock&& other) noexcept : m_files(std::move(other.m_files)) {
    other.m_files.clear();
}

WineServerLock::~WineServerLock() {
    for (const int fd : m_files)
        ::close(fd);
}

} // namespace velberd::registry
