#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace velberd {

// Runs blocking network work (name lookups, echoes) off the user-interface thread and hands the
// results back to a receiver on its own thread, in the order a job posts them. Results posted
// after the receiver is gone are dropped.
class NetworkWorker {
public:
    using Post = std::function<void(std::function<void()>)>;

    explicit NetworkWorker(QObject* receiver);
    ~NetworkWorker();
    NetworkWorker(const NetworkWorker&) = delete;
    NetworkWorker& operator=(const NetworkWorker&) = delete;

    void run(std::function<void(const Post& post)> job);

private:
    struct Mailbox;
    std::shared_ptr<Mailbox> m_mailbox;
};

} // namespace velberd
