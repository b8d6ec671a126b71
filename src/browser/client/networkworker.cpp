#include "browser/client/networkworker.h"

#include <QThreadPool>
#include <atomic>
#include <mutex>
#include <utility>

namespace velberd {
namespace {

// A lookup holds its thread for as long as the resolver takes, so lookups get a few threads: a
// new one starts while older ones hang. Echoes, game pings and status queries get one thread each,
// so one of each is out at a time and a slow status never holds up the pings; they stop waiting
// once their selection is left. The pools are never destroyed, so quitting does not wait for a
// lookup nobody needs any more.
QThreadPool* newPool(int threads) {
    auto* pool = new QThreadPool;
    pool->setMaxThreadCount(threads);
    return pool;
}

enum LaneThreads { kLookups, kEchoes, kGamePings, kStatuses };

QThreadPool& pool(LaneThreads lane) {
    static QThreadPool* const pools[] = {newPool(4), newPool(1), newPool(1), newPool(1)};
    return *pools[lane];
}

} // namespace

struct NetworkWorker::Shared {
    std::mutex mutex;
    QObject* receiver = nullptr;
    std::atomic<std::uint64_t> selection{0};
};

struct NetworkWorker::Lane {
    explicit Lane(QThreadPool& threads) : pool(threads) {}

    QThreadPool& pool;
    std::mutex mutex;
    // The newest work not yet started; a runner is queued in the pool while there is some.
    std::function<void()> waiting;
    int running = 0;

    bool busy() {
        const std::lock_guard lock(mutex);
        return waiting || running > 0;
    }
};

NetworkWorker::NetworkWorker(QObject* receiver)
    : m_shared(std::make_shared<Shared>()), m_lookups(std::make_shared<Lane>(pool(kLookups))),
      m_echoes(std::make_shared<Lane>(pool(kEchoes))), m_gamePings(std::make_shared<Lane>(pool(kGamePings))),
      m_statuses(std::make_shared<Lane>(pool(kStatuses))) {
    m_shared->receiver = receiver;
}

NetworkWorker::~NetworkWorker() {
    const std::lock_guard lock(m_shared->mutex);
    m_shared->receiver = nullptr;
    ++m_shared->selection;
}

std::uint64_t NetworkWorker::select() {
    return ++m_shared->selection;
}

std::uint64_t NetworkWorker::selection() const {
    return m_shared->selection;
}

bool NetworkWorker::pingOut() const {
    return m_echoes->busy() || m_gamePings->busy();
}

bool NetworkWorker::statusOut() const {
    return m_statuses->busy();
}

void NetworkWorker::queue(const std::shared_ptr<Lane>& lane, std::uint64_t selection, Job job) {
    auto work = [shared = m_shared, selection, job = std::move(job)] {
        const auto current = [&shared, selection] { return shared->selection == selection; };
        if (!current()) return;
        const auto post = [&shared](std::function<void()> result) {
            const std::lock_guard lock(shared->mutex);
            if (shared->receiver) QMetaObject::invokeMethod(shared->receiver, std::move(result), Qt::QueuedConnection);
        };
        job(Context{post, current});
    };
    bool needsRunner = false;
    {
        const std::lock_guard lock(lane->mutex);
        needsRunner = !lane->waiting;
        lane->waiting = std::move(work);
    }
    if (!needsRunner) return;
    // The runner takes whatever work is newest when a thread is free for it.
    lane->pool.start([lane] {
        std::function<void()> newest;
        {
            const std::lock_guard lock(lane->mutex);
            newest = std::exchange(lane->waiting, nullptr);
            ++lane->running;
        }
        if (newest) newest();
        const std::lock_guard lock(lane->mutex);
        --lane->running;
    });
}

} // namespace velberd
