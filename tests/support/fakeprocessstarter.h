#pragma once

#include "browser/ui/processstarter.h"

#include <QList>

namespace velberd::test {

// Records the programs the window would have started.
class FakeProcessStarter final : public ProcessStarter {
public:
    struct Start {
        QString program;
        QStringList arguments;
    };

    bool start(const QString& program, const QStringList& arguments) override {
        started.append({program, arguments});
        return true;
    }

    QList<Start> started;
};

} // namespace velberd::test
