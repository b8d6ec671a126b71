#include "chareditor/registry/wineserver.h"

#include "chareditor/registry/atomicfile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace velberd::registry {
namespace {

// Longer names cannot be a folder.
constexpr std::size_t kLongestName = 4096;

std::filesystem::path upstreamRoot() {
    return "/tmp/.wine-" + std::to_string(::getuid());
}

// Debian's Wine keeps its servers in the user's runtime folder whenever it can open that folder.
std::optional<std::filesystem::path> runtimeRoot() {
    const std::filesystem::path folder = "/run/user/" + std::to_string(::getuid());
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    ::close(fd);
    return folder / "wine";
}

// Elsewhere in $TMPDIR, else /tmp. Its server works in the prefix folder, so a relative $TMPDIR
// counts from there.
std::filesystem::path temporaryRoot(const std::filesystem::path& prefix) {
    const char* folder = ::secure_getenv("TMPDIR");
    return folder != nullptr ? prefix / folder : std::filesystem::path("/tmp");
}

std::filesystem::path nameFile(const std::filesystem::path& prefix) {
    return prefix / "wineserver";
}

bool nameFileMissing(const std::filesystem::path& prefix) {
    struct stat info {};
    return ::lstat(nameFile(prefix).c_str(), &info) != 0 && errno == ENOENT;
}

// The folder name the prefix's file holds, read as Debian's Wine reads it: a file of mode 0400
// (after its link, if it is one), up to and including its first line feed. None when Wine
// replaces the file instead.
std::optional<std::string> debianFolderName(const std::filesystem::path& prefix) {
    const auto file = nameFile(prefix);
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || (info.st_mode & 0777) != 0400) return std::nullopt;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string name;
    char byte = 0;
    ssize_t got = 0;
    while (name.size() <= kLongestName && (got = ::read(fd, &byte, 1)) != 0) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        name.push_back(byte);
        if (byte == '\n') break;
    }
    ::close(fd);
    if (got < 0 || name.empty() || name.size() > kLongestName) return std::nullopt;
    return name;
}

// What Debian's Wine does for a prefix without the file: a fresh folder, its name in a new file.
// A server starting meanwhile may make its own first; then that one counts.
void makeDebianFolder(const std::filesystem::path& prefix) {
    std::string folder = (temporaryRoot(prefix) / "wine-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) return;
    const auto file = nameFile(prefix);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0400);
    if (fd < 0) {
        ::rmdir(folder.c_str());
        return;
    }
    const bool written = writeAll(fd, std::filesystem::path(folder).filename().string());
    if (::close(fd) != 0 || !written) {
        ::unlink(file.c_str());
        ::rmdir(folder.c_str());
    }
}

// A folder made as Wine's server makes it when it is missing, and one it accepts: the user's
// own, closed to everyone else. Where there is none, no server can start there either.
bool serverCanUse(const std::filesystem::path& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
           (info.st_mode & 077) == 0;
}

// Who holds a lock of the file that this process could not take; none once it has been let go.
std::optional<LockHolder> holderOf(int fd) {
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    if (::fcntl(fd, F_GETLK, &probe) != 0 || probe.l_type == F_UNLCK) return std::nullopt;
    // Wine's server locks the first byte alone; a Velberd the whole file.
    return probe.l_start == 0 && probe.l_len == 0 ? LockHolder::Velberd : LockHolder::WineServer;
}

// Locks the whole file for this process. False where the file system has no record locks, so
// that Wine's server cannot lock it either; who holds it when someone does.
std::variant<bool, LockHolder> lockWhole(int fd) {
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    // A holder that lets go between the attempt and the question is tried again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (::fcntl(fd, F_SETLK, &whole) == 0) return true;
        if (errno != EAGAIN && errno != EACCES) return false;
        if (const auto holder = holderOf(fd)) return *holder;
    }
    return LockHolder::WineServer;
}

} // namespace

std::vector<std::filesystem::path> wineServerFolders(const std::filesystem::path& prefix) {
    struct stat info {};
    if (::stat(prefix.c_str(), &info) != 0) return {};
    char serverFolder[64];
    std::snprintf(serverFolder, sizeof serverFolder, "server-%llx-%llx", static_cast<unsigned long long>(info.st_dev),
                  static_cast<unsigned long long>(info.st_ino));
    std::vector<std::filesystem::path> folders{upstreamRoot() / serverFolder};
    if (const auto runtime = runtimeRoot()) {
        folders.push_back(*runtime / serverFolder);
    } else if (const auto name = debianFolderName(prefix)) {
        folders.push_back(temporaryRoot(prefix) / *name / serverFolder);
    }
    return folders;
}

std::variant<WineServerLock, LockHolder> WineServerLock::take(const std::filesystem::path& prefix) {
    std::error_code error;
    if (std::filesystem::is_directory(prefix, error) && !runtimeRoot() && nameFileMissing(prefix))
        makeDebianFolder(prefix);
    WineServerLock lock;
    for (const auto& folder : wineServerFolders(prefix)) {
        if (!serverCanUse(folder.parent_path()) || !serverCanUse(folder)) continue;
        const int fd = ::open((folder / "lock").c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) continue;
        const auto locked = lockWhole(fd);
        if (const auto* holder = std::get_if<LockHolder>(&locked)) {
            ::close(fd);
            return *holder;
        }
        if (std::get<bool>(locked)) {
            lock.m_files.push_back(fd);
        } else {
            ::close(fd);
        }
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
