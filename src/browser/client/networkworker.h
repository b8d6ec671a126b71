#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace velberd {

// Runs blocking network work off the user-interface thread, in four lanes that never wait on each
// other: name lookups, a few at a time, and ICMP echoes, game pings and status queries, one of each at a time. Work
// belongs to a selection; work queued for a selection the player has left does nothing when its turn comes, and of the
// work not yet started each lane keeps only the newest. Results go back to a receiver on its own thread, in the order a
// job posts them; results posted after the receiver is gone are dropped.
class NetworkWorker {
public:
    // What a job is handed: post() sends a result to the receiver's thread; current() tells
    // whether the job's selection is still the player's.
    struct Context {
        std::function<void(std::function<void()>)> post;
        std::function<bool()> current;
    };
    using Job = std::function<void(const Context& context)>;

    explicit NetworkWorker(QObject* receiver);
    ~NetworkWorker();
    NetworkWorker(const NetworkWorker&) = delete;
    NetworkWorker& operator=(const NetworkWorker&) = delete;

    // Starts a new selection and gives its number.
    std::uint64_t select();
    std::uint64_t selection() const;
    // Whether the selection is still the player's, so that its result is shown.
    bool isCurrent(std::uint64_t selection) const { return selection == this->selection(); }

    void lookUp(std::uint64_t selection, Job job) { queue(m_lookups, selection, std::move(job)); }
    void echo(std::uint64_t selection, Job job) { queue(m_echoes, selection, std::move(job)); }
    void gamePing(std::uint64_t selection, Job job) { queue(m_gamePings, selection, std::move(job)); }
    // An echo or a game ping is waiting or under way.
    bool pingOut() const;
    void gameStatus(std::uint64_t selection, Job job) { queue(m_statuses, selection, std::move(job)); }
    // A status query is waiting or under way.
    bool statusOut() const;

private:
    struct Shared;
    struct Lane;
    void queue(const std::shared_ptr<Lane>& lane, std::uint64_t selection, Job job);

    std::shared_ptr<Shared> m_shared;
    std::shared_ptr<Lane> m_lookups;
    std::shared_ptr<Lane> m_echoes;
    std::shared_ptr<Lane> m_gamePings;
    std::shared_ptr<Lane> m_statuses;
};

} // namespace velberd
