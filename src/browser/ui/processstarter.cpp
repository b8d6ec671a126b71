#include "browser/ui/processstarter.h"

#include "browser/logic/launch.h"
#include "browser/ui/windowsprocess.h"

#include <QFileInfo>
#include <QProcess>

namespace velberd {

bool DetachedProcessStarter::start(const QString& program, const QStringList& arguments) {
    // The game finds its data beside itself, so it starts in its own folder where that is known.
    const QFileInfo file(program);
    const QString folder = file.exists() ? file.absolutePath() : QString();
#ifdef Q_OS_WIN
    return startWindowsProgram(program, arguments, folder).isEmpty();
#else
    if (runsThroughWine(program.toStdString()))
        return QProcess::startDetached(QStringLiteral("wine"), QStringList{program} + arguments, folder);
    return QProcess::startDetached(program, arguments, folder);
#endif
}

} // namespace velberd
