#pragma once

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velberd::registry::testing {

// A child process that takes a lock and holds it until the object goes, as another program
// running beside the test would.
class LockingChild {
public:
    // `take` runs in the child and says whether it holds the lock; what it holds stays held
    // until the child ends.
    explicit LockingChild(const std::function<bool()>& take) {
        int ready[2];
        int hold[2];
        if (::pipe(ready) != 0 || ::pipe(hold) != 0) return;
        m_child = ::fork();
        if (m_child == 0) {
            const char held = take() ? 'y' : 'n';
            ::close(hold[1]);
            if (::write(ready[1], &held, 1) == 1) {
                char ignored = 0;
                [[maybe_unused]] const auto stopped = ::read(hold[0], &ignored, 1);
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(hold[0]);
        m_hold = hold[1];
        char held = 'n';
        m_holding = ::read(ready[0], &held, 1) == 1 && held == 'y';
        ::close(ready[0]);
    }
    ~LockingChild() { stop(); }
    LockingChild(const LockingChild&) = delete;
    LockingChild& operator=(const LockingChild&) = delete;

    bool holding() const { return m_holding; }
    void stop() {
        if (m_child <= 0) return;
        ::close(m_hold);
        ::waitpid(m_child, nullptr, 0);
        m_child = -1;
    }

private:
    pid_t m_child = -1;
    int m_hold = -1;
    bool m_holding = false;
};

// Takes the lock of a Wine server folder as Wine's server does: its first byte.
inline bool lockAsWineServer(const std::filesystem::path& folder) {
    ::mkdir(folder.parent_path().c_str(), 0700);
    ::mkdir(folder.c_str(), 0700);
    const int fd = ::open((folder / "lock").c_str(), O_WRONLY | O_CREAT, 0600);
    struct flock firstByte {};
    firstByte.l_type = F_WRLCK;
    firstByte.l_whence = SEEK_SET;
    firstByte.l_len = 1;
    return fd >= 0 && ::fcntl(fd, F_SETLK, &firstByte) == 0;
}

} // namespace velberd::registry::testing
