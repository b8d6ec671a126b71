#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

namespace velberd::test {

// A 1 ms heartbeat on the user-interface thread: the longest gap between two beats is the
// longest time the thread spent on something else, the longest stall a player would feel.
class StallProbe {
public:
    StallProbe() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { beat(); });
    }

    void start() {
        m_longestNs = 0;
        m_beats = 0;
        m_clock.start();
        m_lastNs = 0;
        m_timer.start();
    }
    void stop() {
        beat();
        m_timer.stop();
    }

    double longestMs() const { return double(m_longestNs) / 1e6; }
    qint64 beats() const { return m_beats; }

private:
    void beat() {
        const auto now = m_clock.nsecsElapsed();
        m_longestNs = std::max(m_longestNs, now - m_lastNs);
        m_lastNs = now;
        ++m_beats;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastNs = 0;
    qint64 m_longestNs = 0;
    qint64 m_beats = 0;
};

} // namespace velberd::test
