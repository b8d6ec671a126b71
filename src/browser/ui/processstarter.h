#pragma once

#include <QString>
#include <QStringList>

namespace velberd {

// Starts the game and returns at once; the game runs on its own. False when the system refused
// to start it.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
};

// Starts a program with an argument list, never through a shell, so nothing in a path or an
// address is split or interpreted. Away from Windows, a Windows program (".exe") runs under Wine.
class DetachedProcessStarter final : public ProcessStarter {
public:
    bool start(const QString& program, const QStringList& arguments) override;
};

} // namespace velberd
