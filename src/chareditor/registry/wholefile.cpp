#include "chareditor/registry/wholefile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velberd::registry {
namespace {

std::error_code lastError() {
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

} // namespace

std::error_code readWholeFile(const std::filesystem::path& file, std::string& content) {
    content.clear();
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return lastError();
    std::error_code error;
    struct stat info {};
    if (::fstat(fd, &info) != 0) error = lastError();
    char buffer[65536];
    while (!error) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got > 0) {
            content.append(buffer, static_cast<std::size_t>(got));
        } else if (errno != EINTR) {
            error = lastError();
        }
    }
    ::close(fd);
    if (!error && content.size() < static_cast<std::size_t>(info.st_size))
        error = std::make_error_code(std::errc::io_error);
    if (error) content.clear();
    return error;
}

} // namespace velberd::registry
