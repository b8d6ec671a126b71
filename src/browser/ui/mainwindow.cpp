#include "browser/ui/mainwindow.h"

#include "browser/client/listserverclient.h"
#include "browser/client/networkworker.h"
#include "browser/ui/launchrow.h"
#include "browser/ui/serverdetailspanel.h"
#include "browser/ui/serverpinger.h"
#include "browser/ui/serverstatuswatch.h"
#include "common/clickablelabel.h"
#include "common/twips.h"

#include <QListWidget>
#include <QTimer>

namespace velberd {

MainWindow::MainWindow(BrowserServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_services(std::move(services)), m_worker(std::make_unique<NetworkWorker>(this)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Velberd v1.4 r64 for Jazz 2 and The Secret Files"));
    // The layout is drawn to a fixed size, so the window keeps it.
    setFixedSize(fromTwips(6750), fromTwips(4455));
    createControls();

    m_startupTimer = new QTimer(this);
    m_startupTimer->setObjectName(QStringLiteral("Timer1"));
    m_pinger = new ServerPinger(*m_worker, m_services.net, m_services.messages, m_details->pingLabel(), this);
    m_statusWatch = new ServerStatusWatch(*m_worker, m_services.net, m_details->playerCountLink(), this);
    m_listClient = new ListServerClient(m_services.listServer.host, m_services.listServer.port, this);

    connect(m_startupTimer, &QTimer::timeout, this, &MainWindow::advanceStartup);
    connect(m_listClient, &ListServerClient::serverListReceived, this, &MainWindow::showServerList);
    connect(m_yourAddressCaption, &ClickableLabel::clicked, this, &QWidget::showMinimized);
    connect(m_characterEditorLink, &ClickableLabel::clicked, this, &MainWindow::showCharacterEditor);
    connect(m_details->playerCountLink(), &ClickableLabel::clicked, m_statusWatch,
            &ServerStatusWatch::showPlayersWindow);
    connect(m_serverList, &QListWidget::currentRowChanged, this, &MainWindow::showSelectedServer);
    connect(m_launchRow, &LaunchRow::joinClicked, this, &MainWindow::joinSelectedServer);
    m_entryList->installEventFilter(this);

    load();
    m_startupTimer->start(700);
}

MainWindow::~MainWindow() = default;

void MainWindow::joinSelectedServer() {
    m_launchRow->join(m_details->access(), m_details->address());
}

void MainWindow::pingSelectedServer() {
    m_pinger->pingAgain();
}

} // namespace velberd
