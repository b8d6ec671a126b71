#include "browser/ui/networkworker.h"

#include <QThreadPool>
#include <mutex>

namespace velberd {
namespace {

// A lookup can hang for as long as the resolver takes, so network work gets a pool of its own
// with room to spare: a hung lookup for a server the player has left never holds up the next.
// It is never destroyed, so quitting does not wait for a lookup nobody needs any more.
QThreadPool& networkPool() {
    static auto* pool = [] {
        auto* created = new QThreadPool;
        created->setMaxThreadCount(32);
        return created;
    }();
    return *pool;
}

} // namespace

struct NetworkWorker::Mailbox {
    std::mutex mutex;
    QObject* receiver = nullptr;
};

NetworkWorker::NetworkWorker(QObject* receiver) : m_mailbox(std::make_shared<Mailbox>()) {
    m_mailbox->receiver = receiver;
}

NetworkWorker::~NetworkWorker() {
    const std::lock_guard lock(m_mailbox->mutex);
    m_mailbox->receiver = nullptr;
}

void NetworkWorker::run(std::function<void(const Post& post)> job) {
    networkPool().start([mailbox = m_mailbox, job = std::move(job)] {
        const Post post = [&mailbox](std::function<void()> result) {
            const std::lock_guard lock(mailbox->mutex);
            if (mailbox->receiver)
                QMetaObject::invokeMethod(mailbox->receiver, std::move(result), Qt::QueuedConnection);
        };
        job(post);
    });
}

} // namespace velberd
