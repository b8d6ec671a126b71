#pragma once

#include "browser/ui/processstarter.h"

#include <QList>

namespace velberd::test {

// Records the programs the window would have started, or refuses to start them as a system can.
class FakeProcessStarter final : public ProcessStarter {
public:
    struct Start {
        QString program;
        QStringList arguments;
    };

    bool start(const QString& program, const QStringList& arguments) override {
        if (refuses) return false;
        started.append({program, arguments});
        return true;
    }

    QList<Start> started;
    bool refuses = false;
};

} // namespace velberd::test
