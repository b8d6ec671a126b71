#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace velberd {

// Starts the game in the given folder and returns at once; the game runs on its own. The system's
// reason when it refused to start it, else none.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    virtual std::optional<QString> start(const QString& program, const QStringList& arguments,
                                         const QString& folder) = 0;
};

// Starts a program with an argument list, never through a shell, so nothing in a path or an
// address is split or interpreted. Away from Windows, a Windows program (".exe") runs under Wine.
class DetachedProcessStarter final : public ProcessStarter {
public:
    std::optional<QString> start(const QString& program, const QStringList& arguments, const QString& folder) override;
};

} // namespace velberd
