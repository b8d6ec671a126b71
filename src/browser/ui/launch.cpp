#include "browser/logic/launch.h"

#include "browser/client/processstarter.h"
#include "browser/logic/gamefile.h"
#include "browser/ui/mainwindow.h"
#include "browser/ui/serverdetailspanel.h"
#include "common/ansitext.h"
#include "common/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>

namespace velberd {
namespace {

// Paths and captions pass through the launch unchanged, so any text survives as UTF-8.
std::string text(const QString& value) {
    return value.toStdString();
}

QString text(std::string_view value) {
    return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

} // namespace

void MainWindow::joinSelectedServer() {
    m_launchCounter = raiseLaunchCounter(m_launchCounter);
    LaunchSwitches switches;
    switches.spy = m_spy->isChecked();
    switches.safe = m_safeMode->isChecked();
    switches.full = m_fullScreen->isChecked();
    switches.mute = m_mute->isChecked();
    switches.log = m_logger->isChecked();

#ifdef Q_OS_WIN
    constexpr auto style = PathStyle::Windows;
#else
    // The game is a Windows program under Wine here, so it is told where to log in Wine's terms.
    constexpr auto style = PathStyle::Wine;
#endif
    const auto folder = text(QDir::toNativeSeparators(m_services.programFolder));
    const auto logPath = logFilePath(folder, m_launchCounter, style);

    const auto gamePath = text(m_gamePath->currentText());
    const auto command =
        buildLaunchCommand(gamePath, switches, logPath, text(m_details->access()), text(m_details->address()));
    if (!command) return;
    // A game that cannot start says why; one that starts shows itself.
    const auto refuse = [this](const std::string& why) {
        m_services.messages->show(this, MessagePresenter::Style::Exclamation, text(why));
    };
    const auto prefix = text(m_services.winePrefix);
    if (const auto problem = gameProblem(gamePath, prefix)) return refuse(gameProblemMessage(*problem, gamePath));
    const auto lacking = [](std::string_view part) { return text(toAnsi(text(part)).lacking); };
    if (const auto problem =
            codePageProblemMessage(gamePath, switches.log ? text(m_services.programFolder) : std::string(), lacking))
        return refuse(*problem);
    QStringList arguments;
    for (const auto& argument : command->arguments)
        arguments << text(argument);
    if (const auto reason =
            m_services.processes->start(text(command->program), arguments, text(gameFolder(gamePath, prefix))))
        refuse(refusedStartMessage(gamePath, text(*reason)));
}

} // namespace velberd
