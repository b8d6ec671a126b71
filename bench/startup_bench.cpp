// Process start to the first painted frame of the main window, offscreen. The program starts
// itself again for each round, so every round pays for loading the program and Qt; each child
// reports how long after its start, by the shared monotonic clock, its first frame was done.
#include "benchwindow.h"
#include "processstats.h"
#include "report.h"

#include <QApplication>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace velberd;

namespace {

constexpr int kRounds = 15;

qint64 monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Waits for the window's first paint; the frame is finished when the event loop is free again.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(qint64 startedNs) : m_startedNs(startedNs) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] {
                std::printf("%.3f %lld\n", double(monotonicNs() - m_startedNs) / 1e6,
                            static_cast<long long>(test::ProcessStats::now().rssKiB));
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    qint64 m_startedNs;
    bool m_seen = false;
};

int child(int argc, char* argv[], qint64 startedNs) {
    QApplication app(argc, argv);
    bench::BenchWindow bench;
    FirstFrame firstFrame(startedNs);
    bench.window->installEventFilter(&firstFrame);
    bench.window->show();
    return QApplication::exec();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0) return child(argc, argv, QByteArray(argv[2]).toLongLong());

    QCoreApplication app(argc, argv);
    std::vector<double> frameMs;
    std::vector<double> rssMiB;
    for (int round = 0; round < kRounds; ++round) {
        QProcess process;
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--child"), QString::number(monotonicNs())});
        if (!process.waitForFinished(20000) || process.exitCode() != 0) {
            std::fprintf(stderr, "round %d: the window did not come up\n", round);
            return 1;
        }
        const auto words = QString::fromLatin1(process.readAllStandardOutput()).split(QLatin1Char(' '));
        if (words.size() != 2) return 1;
        frameMs.push_back(words[0].toDouble());
        rssMiB.push_back(words[1].toDouble() / 1024);
        std::printf("round %2d: first frame after %.1f ms, RSS %.1f MiB\n", round + 1, frameMs.back(), rssMiB.back());
    }
    // The first round also pays for a cold file cache; the median speaks for a usual start.
    bench::result("start to first frame, median", median(frameMs), "ms");
    bench::result("start to first frame, slowest", *std::max_element(frameMs.begin(), frameMs.end()), "ms");
    bench::result("RSS at first frame, median", median(rssMiB), "MiB");
    return 0;
}
