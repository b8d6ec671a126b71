#include "browser/logic/launch.h"

#include "browser/ui/mainwindow.h"
#include "browser/ui/processstarter.h"

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

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

} // namespace

void MainWindow::Command1_Click() {
    m_launchCounter = raiseLaunchCounter(m_launchCounter);
    LaunchSwitches switches;
    switches.spy = spy->isChecked();
    switches.safe = safe->isChecked();
    switches.full = full->isChecked();
    switches.mute = mute->isChecked();
    switches.log = log->isChecked();

#ifdef Q_OS_WIN
    constexpr auto style = PathStyle::Windows;
#else
    // The game is a Windows program under Wine here, so it is told where to log in Wine's terms.
    constexpr auto style = PathStyle::Wine;
#endif
    const auto folder = text(QDir::toNativeSeparators(m_services.programFolder));
    const auto logPath = logFilePath(folder, m_launchCounter, style);

    const auto command =
        buildLaunchCommand(text(Combo1->currentText()), switches, logPath, text(SNa->text()), text(IPa->text()));
    if (!command) return;
    QStringList arguments;
    for (const auto& argument : command->arguments)
        arguments << text(argument);
    // A path that cannot be started fails quietly; the player sees the game start or not.
    m_services.processes->start(text(command->program), arguments);
}

} // namespace velberd
