#pragma once

#include "browser/client/processstarter.h"

#include <QList>

namespace velberd::test {

// Records the programs the window would have started, or refuses to start them as a system can.
class FakeProcessStarter final : public ProcessStarter {
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString folder;
    };

    std::optional<QString> start(const QString& program, const QStringList& arguments, const QString& folder) override {
        if (refuses) return QStringLiteral("The test's system refuses.");
        started.append({program, arguments, folder});
        return std::nullopt;
    }

    QList<Start> started;
    bool refuses = false;
};

} // namespace velberd::test
