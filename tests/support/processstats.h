#pragma once

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <sys/resource.h>

namespace velberd::test {

// What this process holds right now, from /proc/self, for tests and measurements of leaks.
struct ProcessStats {
    qint64 rssKiB = 0;
    qint64 peakRssKiB = 0;
    int threads = 0;
    int openFiles = 0;

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
};

// CPU time this process has used, user and system, in milliseconds.
inline qint64 cpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return qint64(t.tv_sec) * 1000 + t.tv_usec / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace velberd::test
