#include "browser/ui/launchrow.h"

#include "browser/client/processstarter.h"
#include "browser/logic/gamefile.h"
#include "browser/logic/gamepathfile.h"
#include "browser/logic/launch.h"
#include "browser/logic/serverdetails.h"
#include "browser/ui/browserservices.h"
#include "browser/ui/formcontrols.h"
#include "common/ansitext.h"
#include "common/messages.h"
#include "common/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>

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

LaunchRow::LaunchRow(const BrowserServices& services, QWidget* parent)
    : QWidget(parent), m_services(services),
      m_gamePath(place(new QComboBox(this), "Combo1", twipsRect(0, 0, 2175, 360), narrowFont(9.75))),
      m_spy(checkBox(this, "spy", QStringLiteral("spy"), twipsRect(2280, 0, 615, 315), false)),
      m_safeMode(checkBox(this, "safe", QStringLiteral("safemode"), twipsRect(2880, 0, 960, 315), false)),
      m_fullScreen(checkBox(this, "full", QStringLiteral("fullscreen"), twipsRect(3840, 0, 975, 315), true)),
      m_logger(checkBox(this, "log", QStringLiteral("logger"), twipsRect(4800, 0, 735, 315), false)),
      m_mute(checkBox(this, "mute", QStringLiteral("mute"), twipsRect(5520, 0, 615, 315), false)),
      m_join(place(new QPushButton(QStringLiteral("Join"), this), "Command1", twipsRect(6135, 0, 615, 360),
                   narrowFont(9.75))) {
    m_gamePath->setEditable(true);
    m_gamePath->setInsertPolicy(QComboBox::NoInsert);
    m_gamePath->setEditText(QStringLiteral("Game Path"));
    m_join->setFocus();
    connect(m_join, &QPushButton::clicked, this, &LaunchRow::joinClicked);
}

void LaunchRow::loadGamePaths() {
    QFile file(QDir(m_services.programFolder).filePath(QStringLiteral("dirs.txt")));
    QByteArray bytes;
    // A missing or unreadable file reads as an empty one: two empty paths.
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    const auto paths = parseGamePathFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    m_gamePath->addItem(toCaption(paths.classic));
    m_gamePath->addItem(toCaption(paths.secretFiles));
    // Adding items selects the first; the choice is left to the server's version or the player.
    m_gamePath->setCurrentIndex(-1);
    m_gamePath->setEditText(QString::fromUtf8(kGamePathPlaceholder));
}

void LaunchRow::followVersion(const QString& versionCaption) {
    if (const auto index = gamePathIndexForVersion(fromCaption(versionCaption)); index && *index < m_gamePath->count())
        m_gamePath->setCurrentIndex(*index);
}

void LaunchRow::join(const QString& access, const QString& address) {
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
    const auto command = buildLaunchCommand(gamePath, switches, logPath, text(access), text(address));
    if (!command) return;
    // A game that cannot start says why; one that starts shows itself.
    const auto refuse = [this](const std::string& why) {
        m_services.messages->show(window(), MessagePresenter::Style::Exclamation, text(why));
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
