#include "browser/logic/launch.h"

#include "browser/ui/gameprogram.h"
#include "browser/ui/mainwindow.h"
#include "browser/ui/processstarter.h"
#include "browser/ui/serverdetailspanel.h"
#include "common/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace velberd {
namespace {

// Paths and captions pass through the launch unchanged, so any text survives as UTF-8.
std::string text(const QString& value) {
    return value.toStdString();
}

QString text(const std::string& value) {
    return QString::fromStdString(value);
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

    const QString gamePath = m_gamePath->currentText();
    const auto command =
        buildLaunchCommand(text(gamePath), switches, logPath, text(m_details->access()), text(m_details->address()));
    if (!command) return;
    // A game that cannot start says why; one that starts shows itself.
    const auto refuse = [this](const QString& why) {
        m_services.messages->show(this, MessagePresenter::Style::Exclamation, why);
    };
    if (const auto problem = gameProblem(gamePath, m_services.winePrefix))
        return refuse(gameProblemMessage(*problem, gamePath));
    if (const auto problem = codePageProblemMessage(gamePath, switches.log ? m_services.programFolder : QString()))
        return refuse(*problem);
    QStringList arguments;
    for (const auto& argument : command->arguments)
        arguments << text(argument);
    // The game finds its data beside itself, so it starts in its own folder.
    const QString gameFolder = QFileInfo(gameFile(gamePath, m_services.winePrefix)).absolutePath();
    if (const auto reason = m_services.processes->start(text(command->program), arguments, gameFolder))
        refuse(refusedStartMessage(gamePath, *reason));
}

} // namespace velberd
