#include "browser/client/processstarter.h"

#include "browser/client/windowsprocess.h"
#include "browser/logic/launch.h"

#include <QProcess>

namespace velberd {

std::optional<QString> DetachedProcessStarter::start(const QString& program, const QStringList& arguments,
                                                     const QString& folder) {
#ifdef Q_OS_WIN
    const QString refused = startWindowsProgram(program, arguments, folder);
    if (refused.isEmpty()) return std::nullopt;
    return refused;
#else
    QProcess process;
    if (runsThroughWine(program.toStdString())) {
        process.setProgram(QStringLiteral("wine"));
        process.setArguments(QStringList{program} + arguments);
    } else {
        process.setProgram(program);
        process.setArguments(arguments);
    }
    process.setWorkingDirectory(folder);
    if (process.startDetached()) return std::nullopt;
    return process.errorString();
#endif
}

} // namespace velberd
