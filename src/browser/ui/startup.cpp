#include "browser/client/listserverclient.h"
#include "browser/ui/launchrow.h"
#include "browser/ui/mainwindow.h"
#include "chareditor/ui/charactereditor.h"

#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <array>

namespace velberd {
namespace {

constexpr std::array<const char*, 6> kStartupLines{"Please Wait...",       "Checking for Winsock...",
                                                   "Activating Timers...", "Adding Finishing Touches...",
                                                   "Initialized.",         "Waiting for ServerList..."};

} // namespace

void MainWindow::load() {
    m_startupStep = 0;
    m_launchRow->loadGamePaths();
    if (m_services.localAddress) m_localAddress->setText(m_services.localAddress());
}

void MainWindow::advanceStartup() {
    // The count stops at the last step, so it cannot run out however long the program runs.
    if (m_startupStep >= kStartupLines.size()) return;
    // The last line says the list is awaited: its refreshes start with it.
    if (m_startupStep + 1 == kStartupLines.size()) m_listClient->startRefreshing(5000);
    m_serverList->addItem(QString::fromLatin1(kStartupLines[m_startupStep++]));
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
