#include "chareditor/registry/atomicfile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace velberd::registry {
namespace {

// A write that stops short without saying why still counts as failed.
std::error_code lastError() {
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written <= 0) return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::error_code replaceFileAtomically(const std::filesystem::path& file, std::string_view content) {
    std::error_code error;
    const auto target = std::filesystem::canonical(file, error);
    if (error) return error;
    struct stat original {};
    if (::stat(target.c_str(), &original) != 0) return lastError();
    std::string temporary = target.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return lastError();
    // Only root may give a file away; anyone else keeps the owner by being it.
    [[maybe_unused]] const bool owned = ::fchown(fd, original.st_uid, original.st_gid) == 0;
    if (!writeAll(fd, content) || ::fchmod(fd, original.st_mode & 07777) != 0 || ::fsync(fd) != 0) error = lastError();
    if (::close(fd) != 0 && !error) error = lastError();
    if (!error && ::rename(temporary.c_str(), target.c_str()) != 0) error = lastError();
    if (error) {
        ::unlink(temporary.c_str());
        return error;
    }
    syncFolder(target.parent_path());
    return {};
}

} // namespace velberd::registry
