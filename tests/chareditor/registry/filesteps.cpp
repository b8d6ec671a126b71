#include "filesteps.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

extern "C" ssize_t __real_read(int fd, void* buffer, std::size_t size);
extern "C" int __real_rename(const char* from, const char* to);

namespace velberd::registry::testing {

struct FileId {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileId&) const = default;
};

struct Hold {
    Step step;
    FileId file;
    bool arrived = false;
    bool released = false;
};

namespace {

FileId idOf(const struct stat& info) {
    return {info.st_dev, info.st_ino};
}

FileId fileOf(const std::filesystem::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return idOf(info);
}

struct Failure {
    FileId file;
    std::size_t at = 0;
    ReadFault fault = ReadFault::Error;
};

struct Armed {
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<Failure> failure;
    std::vector<std::shared_ptr<Hold>> holds;
};

Armed& armed() {
    static Armed state;
    return state;
}

// Waits at the first call of the step on the file while a hold for it is armed.
void holdAt(std::unique_lock<std::mutex>& lock, Step step, const FileId& file) {
    auto& state = armed();
    const auto found = std::ranges::find_if(
        state.holds, [&](const auto& hold) { return hold->step == step && hold->file == file && !hold->arrived; });
    if (found == state.holds.end()) return;
    // Kept by the waiting call, in case its HeldStep goes first.
    const std::shared_ptr<Hold> hold = *found;
    hold->arrived = true;
    state.changed.notify_all();
    state.changed.wait(lock, [&] { return hold->released; });
}

// How much of a read of `fd` may go through: none, with the fault, once the failing file's
// position has come to the failure.
std::optional<ReadFault> limitRead(int fd, const FileId& file, std::size_t& size) {
    const auto& failure = armed().failure;
    if (!failure || failure->file != file) return std::nullopt;
    const off_t position = ::lseek(fd, 0, SEEK_CUR);
    if (position < 0) return std::nullopt;
    const auto at = static_cast<std::size_t>(position);
    if (at >= failure->at) return failure->fault;
    size = std::min(size, failure->at - at);
    return std::nullopt;
}

} // namespace

FailingReads::FailingReads(const std::filesystem::path& file, std::size_t at, ReadFault fault) {
    const FileId id = fileOf(file);
    const std::lock_guard lock(armed().mutex);
    armed().failure = Failure{id, at, fault};
}

FailingReads::~FailingReads() {
    const std::lock_guard lock(armed().mutex);
    armed().failure.reset();
}

HeldStep::HeldStep(Step step, const std::filesystem::path& file) {
    auto hold = std::make_shared<Hold>(Hold{step, fileOf(file)});
    m_hold = hold.get();
    const std::lock_guard lock(armed().mutex);
    armed().holds.push_back(std::move(hold));
}

HeldStep::~HeldStep() {
    release();
    const std::lock_guard lock(armed().mutex);
    std::erase_if(armed().holds, [this](const auto& hold) { return hold.get() == m_hold; });
}

bool HeldStep::reached() {
    std::unique_lock lock(armed().mutex);
    return armed().changed.wait_for(lock, std::chrono::seconds(10), [this] { return m_hold->arrived; });
}

void HeldStep::release() {
    const std::lock_guard lock(armed().mutex);
    m_hold->released = true;
    armed().changed.notify_all();
}

} // namespace velberd::registry::testing

using namespace velberd::registry::testing;

extern "C" ssize_t __wrap_read(int fd, void* buffer, std::size_t size) {
    auto& state = armed();
    std::unique_lock lock(state.mutex);
    struct stat info {};
    if ((state.failure || !state.holds.empty()) && ::fstat(fd, &info) == 0) {
        const FileId file = idOf(info);
        holdAt(lock, Step::Read, file);
        if (const auto fault = limitRead(fd, file, size)) {
            if (*fault == ReadFault::EarlyEnd) return 0;
            errno = EIO;
            return -1;
        }
    }
    lock.unlock();
    return __real_read(fd, buffer, size);
}

extern "C" int __wrap_rename(const char* from, const char* to) {
    auto& state = armed();
    std::unique_lock lock(state.mutex);
    struct stat info {};
    if (!state.holds.empty() && ::stat(to, &info) == 0) holdAt(lock, Step::Rename, idOf(info));
    lock.unlock();
    return __real_rename(from, to);
}
