#include "browser/client/listserverclient.h"
#include "browser/ui/launchrow.h"
#include "browser/ui/mainwindow.h"
#include "chareditor/ui/charactereditor.h"

#include <QLabel>
#include <QListWidget>
#include <QTimer>

namespace velberd {
namespace {

constexpr std::int16_t kLastStartupStep = 6;

} // namespace

void MainWindow::load() {
    m_startupStep = 0;
    m_launchRow->loadGamePaths();
    if (m_services.localAddress) m_localAddress->setText(m_services.localAddress());
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
