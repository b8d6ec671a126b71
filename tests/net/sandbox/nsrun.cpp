#include "sandbox/nsrun.h"

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velberd::net::sandbox {
namespace {

constexpr uid_t kNobody = 65534;
constexpr int kChildCouldNotEnter = 3;

std::string failure(const std::string& step) {
    return step + ": " + std::strerror(errno);
}

bool exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

void writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return;
        done += static_cast<std::size_t>(wrote);
    }
}

std::string readAll(int fd) {
    std::string bytes;
    char block[4096];
    for (;;) {
        const ssize_t got = read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return bytes;
        bytes.append(block, static_cast<std::size_t>(got));
    }
}

} // namespace

std::string enterNamespace(const std::string& ns, RunAs as) {
    const int handle = open(("/run/netns/" + ns).c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) return failure("open namespace " + ns);
    const int entered = setns(handle, CLONE_NEWNET);
    close(handle);
    if (entered != 0) return failure("setns " + ns);

    const std::string etc = "/etc/netns/" + ns;
    if (exists(etc)) {
        if (unshare(CLONE_NEWNS) != 0) return failure("unshare mount namespace");
        if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return failure("private mounts");
        for (const char* file : {"hosts", "resolv.conf"}) {
            const std::string source = etc + "/" + file;
            const std::string target = std::string("/etc/") + file;
            if (mount(source.c_str(), target.c_str(), nullptr, MS_BIND, nullptr) != 0) {
                return failure("bind " + source);
            }
        }
    }
    if (as == RunAs::Nobody) {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
            return failure("drop to nobody");
    }
    return {};
}

std::string runInNamespace(const std::string& ns, RunAs as, const std::function<std::string()>& work) {
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0) throw std::runtime_error(failure("pipe"));
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error(failure("fork"));
    if (child == 0) {
        close(channel[0]);
        const std::string problem = enterNamespace(ns, as);
        if (!problem.empty()) {
            writeAll(channel[1], problem);
            _exit(kChildCouldNotEnter);
        }
        writeAll(channel[1], work());
        _exit(0);
    }
    close(channel[1]);
    std::string bytes = readAll(channel[0]);
    close(channel[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("child in namespace " + ns + " failed: " + bytes);
    }
    return bytes;
}

} // namespace velberd::net::sandbox
