#include "browser/client/listserverclient.h"
#include "browser/logic/gamefile.h"
#include "browser/logic/gamepathfile.h"
#include "browser/ui/mainwindow.h"
#include "chareditor/ui/charactereditor.h"
#include "common/ansitext.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTimer>

namespace velberd {
namespace {

constexpr std::int16_t kLastStartupStep = 6;

} // namespace

void MainWindow::load() {
    m_startupStep = 0;
    m_launchCounter = 0;
    loadGamePaths();
    if (m_services.localAddress) m_localAddress->setText(m_services.localAddress());
}

void MainWindow::loadGamePaths() {
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

void MainWindow::advanceStartup() {
    // The count stops past the last step, so it cannot run out however long the program runs.
    if (m_startupStep > kLastStartupStep) return;
    ++m_startupStep;
    switch (m_startupStep) {
    case 1:
        m_serverList->addItem(QStringLiteral("Please Wait..."));
        break;
    case 2:
        m_serverList->addItem(QStringLiteral("Checking for Winsock..."));
        break;
    case 3:
        m_serverList->addItem(QStringLiteral("Activating Timers..."));
        break;
    case 4:
        m_serverList->addItem(QStringLiteral("Adding Finishing Touches..."));
        break;
    case 5:
        m_serverList->addItem(QStringLiteral("Initialized."));
        break;
    case 6:
        m_listClient->startRefreshing(5000);
        m_serverList->addItem(QStringLiteral("Waiting for ServerList..."));
        break;
    default:
        break;
    }
}

void MainWindow::showCharacterEditor() {
    if (!m_characterEditor) {
        m_characterEditor = new CharacterEditor(*m_services.registry, *m_services.messages, m_services.elevation, this);
        // Closing the main window ends the program, even with the editor still open.
        m_characterEditor->setAttribute(Qt::WA_QuitOnClose, false);
        // Closed, the editor is gone: the next click loads the player's settings afresh instead
        // of showing, and saving back, what was read before the game changed them.
        m_characterEditor->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_characterEditor->show();
}

} // namespace velberd
