#include "browser/ui/mainwindow.h"

#include "browser/client/listserverclient.h"
#include "browser/client/networkworker.h"
#include "browser/logic/probablehosts.h"
#include "browser/logic/serverdetails.h"
#include "browser/logic/serverlist.h"
#include "browser/ui/formcontrols.h"
#include "browser/ui/launchrow.h"
#include "browser/ui/listboxrows.h"
#include "browser/ui/serverdetailspanel.h"
#include "browser/ui/serverpinger.h"
#include "browser/ui/serverstatuswatch.h"
#include "chareditor/ui/charactereditor.h"
#include "common/ansitext.h"
#include "common/clickablelabel.h"
#include "common/twips.h"
#include "net/netservices.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTimer>
#include <array>

namespace velberd {
namespace {

// A row of the server list: eleven fit in the list, as the list server sends at most eleven.
constexpr int kServerRowTwips = 195;

constexpr std::array<const char*, 6> kStartupLines{"Please Wait...",       "Checking for Winsock...",
                                                   "Activating Timers...", "Adding Finishing Touches...",
                                                   "Initialized.",         "Waiting for ServerList..."};

} // namespace

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

void MainWindow::createControls() {
    const QFont font = narrowFont(9.75);

    auto* serverListFrame =
        place(new QGroupBox(QStringLiteral("Serverlist Window"), this), "Frame3", twipsRect(0, 0, 2535, 2655), font);
    m_serverList = place(new QListWidget(serverListFrame), "List2", twipsRect(120, 240, 2295, 2340), narrowFont(8.25));
    m_serverList->setItemDelegate(new ListBoxRows(fromTwips(kServerRowTwips), m_serverList));
    m_serverList->setUniformItemSizes(true);
    m_serverList->addItem(QStringLiteral("Server Lists"));
    m_serverList->setEnabled(false);

    // The raw entries behind the names, index for index; never shown and never reached by Tab.
    m_entryList = place(new QListWidget(this), "List1", twipsRect(9480, 7680, 1200, 600), font);
    m_entryList->addItems(
        {QStringLiteral("Hey"), QStringLiteral("Hi"), QStringLiteral("Sup"), QStringLiteral("G'dawg?")});
    m_entryList->setFocusPolicy(Qt::NoFocus);
    m_entryList->hide();

    auto* overallFrame = place(new QGroupBox(QStringLiteral("Overall Information"), this), "Frame2",
                               twipsRect(0, 2760, 2535, 855), font);
    label(overallFrame, "sCount", QStringLiteral("Servers Up:"), twipsRect(120, 240, 1815, 255));
    m_serverCount =
        label(overallFrame, "sCounter", QStringLiteral("0"), twipsRect(600, 240, 1815, 255), Qt::AlignRight);
    m_yourAddressCaption = place(new ClickableLabel(QStringLiteral("Your IP:"), overallFrame), "Label11",
                                 twipsRect(120, 480, 1815, 255), font);
    m_localAddress = label(overallFrame, "lip", QStringLiteral("0"), twipsRect(600, 480, 1815, 255), Qt::AlignRight);

    m_details = place(new ServerDetailsPanel(this), "Frame1", twipsRect(2640, 0, 4095, 3975), font);

    m_characterEditorLink = place(new ClickableLabel(QStringLiteral("Character Editor"), this), "Label9",
                                  twipsRect(0, 3720, 2535, 255), fontOf(QStringLiteral("Arial"), 9.75));
    m_characterEditorLink->setAlignment(Qt::AlignCenter);
    m_characterEditorLink->setAutoFillBackground(true);
    m_characterEditorLink->setCursor(Qt::PointingHandCursor);

    m_launchRow = place(new LaunchRow(m_services, this), "LaunchRow", twipsRect(0, 4080, 6750, 375), font);
}

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

// The raw entries and their names, index for index.
void MainWindow::showServerList(const std::vector<std::string>& entries) {
    // Rebuilding clears the selection without it counting as the player's choice.
    const QSignalBlocker quiet(m_serverList);
    m_entryList->clear();
    m_serverList->clear();
    for (const auto& entry : entries) {
        auto* raw = new QListWidgetItem(toCaption(entry), m_entryList);
        raw->setData(Qt::UserRole, QByteArray(entry.data(), static_cast<qsizetype>(entry.size())));
        m_serverList->addItem(toCaption(displayName(entry)));
    }
    // Marks "no current row" as chosen, or the list would make its first row current, and so
    // select a server, when it next gets the focus from the keyboard or the window.
    m_serverList->setCurrentIndex(QModelIndex());
    m_serverCount->setText(QString::number(m_serverList->count()));
    m_serverList->setEnabled(true);
}

// The raw-entry list is never shown, but should it ever take the focus, lose it or get a key, it
// shows the header of its current entry: on a key, before the list moves its selection, so the
// header is that of the entry current until now.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_entryList) {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::KeyPress:
            showEntryHeader(readEntryHeader(currentEntry()));
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

std::string MainWindow::currentEntry() const {
    const auto* item = m_entryList->currentItem();
    if (!item || m_entryList->currentRow() < 0) return {};
    const QByteArray bytes = item->data(Qt::UserRole).toByteArray();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

void MainWindow::showEntryHeader(const EntryHeader& header) {
    m_details->showHeader(header);
    m_launchRow->setJoinEnabled(header.joinEnabled);
}

void MainWindow::showSelectedServer() {
    const auto selection = m_worker->select();
    m_entryList->setCurrentRow(m_serverList->currentRow());

    const auto details = readServerDetails(currentEntry());
    m_details->showDetails(details);
    m_launchRow->setJoinEnabled(details.header.joinEnabled);
    lookUpHosts(selection, details.header.address, details.lookupAddress);
    const auto port = gamePort(currentEntry());
    m_pinger->startPinging(selection, details.header.address, port);
    m_statusWatch->startWatching(selection, details.header.address, port, toCaption(details.header.serverName));

    m_launchRow->followVersion(m_details->version());
}

// "Hostname:" names the address shown; the probable hosts come from the entry's own address, which a
// private server hides. When the two are the same address, one lookup serves both.
void MainWindow::lookUpHosts(std::uint64_t selection, const std::string& shownAddress,
                             const std::optional<std::string>& lookupAddress) {
    const bool nameTheShownAddress = shownAddress != "x" && shownAddress != "restricted";
    if (!nameTheShownAddress && !lookupAddress) return;
    m_worker->lookUp(selection, [this, net = m_services.net, selection, shownAddress, lookupAddress,
                                 nameTheShownAddress](const NetworkWorker::Context& context) {
        std::string shownName;
        if (nameTheShownAddress) {
            shownName = net->hostNameFromText(shownAddress);
            context.post([this, selection, shownName] {
                if (m_worker->isCurrent(selection)) m_details->showHostName(shownName);
            });
        }
        if (!lookupAddress || !context.current()) return;
        const auto hostName =
            nameTheShownAddress && *lookupAddress == shownAddress ? shownName : net->hostNameFromText(*lookupAddress);
        const auto hosts = probableHosts(hostName);
        context.post([this, selection, hosts] {
            if (m_worker->isCurrent(selection) && hosts) m_details->showProbableHosts(*hosts);
        });
    });
}

} // namespace velberd
