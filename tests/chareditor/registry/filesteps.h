#pragma once

#include <cstddef>
#include <filesystem>

// Stand-ins for the C library's read() and rename(), linked into the registry tests in their
// place (--wrap): they pass every call on unchanged until a test arms them for one file, known by
// its device and inode. Armed, a read of that file fails or ends early, or a read of it or a
// rename over it waits until the test lets it go on.
namespace velberd::registry::testing {

enum class ReadFault {
    Error,    // the read fails with EIO
    EarlyEnd, // the read reports the end of the file
};

// While alive, reads of `file` stop at byte `at` with the fault given.
class FailingReads {
public:
    FailingReads(const std::filesystem::path& file, std::size_t at, ReadFault fault);
    ~FailingReads();
    FailingReads(const FailingReads&) = delete;
    FailingReads& operator=(const FailingReads&) = delete;
};

enum class Step { Read, Rename };

struct Hold;

// While alive, the first read of `file`, or the first rename over it, waits until release().
class HeldStep {
public:
    HeldStep(Step step, const std::filesystem::path& file);
    ~HeldStep();
    HeldStep(const HeldStep&) = delete;
    HeldStep& operator=(const HeldStep&) = delete;

    // Whether a call has come to the step and waits there; gives up after ten seconds, as a hang.
    bool reached();
    void release();

private:
    Hold* m_hold;
};

} // namespace velberd::registry::testing
