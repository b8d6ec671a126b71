#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN
// windows.h comes first: the others build on it.
// clang-format off
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
// clang-format on
#else
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <sys/resource.h>
#endif

namespace velberd::test {

// What this process holds right now, for tests and measurements of leaks: from /proc/self, or on
// Windows from the process's memory counters, with its handles standing for open files.
struct ProcessStats {
    qint64 rssKiB = 0;
    qint64 peakRssKiB = 0;
    int threads = 0;
    int openFiles = 0;

#ifdef Q_OS_WIN
    static ProcessStats now() {
        ProcessStats stats;
        PROCESS_MEMORY_COUNTERS memory{};
        if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
            stats.rssKiB = static_cast<qint64>(memory.WorkingSetSize / 1024);
            stats.peakRssKiB = static_cast<qint64>(memory.PeakWorkingSetSize / 1024);
        }
        DWORD handles = 0;
        if (GetProcessHandleCount(GetCurrentProcess(), &handles)) stats.openFiles = static_cast<int>(handles);
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        if (snapshot != INVALID_HANDLE_VALUE) {
            THREADENTRY32 thread{};
            thread.dwSize = sizeof thread;
            for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread)) {
                if (thread.th32OwnerProcessID == GetCurrentProcessId()) ++stats.threads;
            }
            CloseHandle(snapshot);
        }
        return stats;
    }
#else
    static ProcessStats now() {
        ProcessStats stats;
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            const QString text = QString::fromLatin1(status.readAll());
            stats.rssKiB = field(text, "VmRSS");
            stats.peakRssKiB = field(text, "VmHWM");
            stats.threads = static_cast<int>(field(text, "Threads"));
        }
        stats.openFiles =
            static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
        return stats;
    }

private:
    static qint64 field(const QString& text, const char* name) {
        const QRegularExpression pattern(QStringLiteral("^%1:\\s*(\\d+)").arg(QLatin1String(name)),
                                         QRegularExpression::MultilineOption);
        return pattern.match(text).captured(1).toLongLong();
    }
#endif
};

// CPU time this process has used, user and system, in milliseconds.
inline qint64 cpuMilliseconds() {
#ifdef Q_OS_WIN
    FILETIME created{}, ended{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto ms = [](const FILETIME& t) { return ((qint64(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10'000; };
    return ms(kernel) + ms(user);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return qint64(t.tv_sec) * 1000 + t.tv_usec / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
#endif
}

} // namespace velberd::test
