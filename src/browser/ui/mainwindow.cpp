#include "browser/ui/mainwindow.h"

#include "browser/ui/networkworker.h"
#include "common/clickablelabel.h"
#include "common/twips.h"
#include "net/connectionend.h"

#include <QListWidget>
#include <QPushButton>
#include <QTcpSocket>
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

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    autolist = new QTimer(this);
    autolist->setObjectName(QStringLiteral("autolist"));
    Pinger = new QTimer(this);
    Pinger->setObjectName(QStringLiteral("Pinger"));
    Winsock1 = new QTcpSocket(this);
    Winsock1->setObjectName(QStringLiteral("Winsock1"));

    connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1_Timer);
    connect(autolist, &QTimer::timeout, this, &MainWindow::autolist_Timer);
    connect(Winsock1, &QTcpSocket::connected, this, &MainWindow::Winsock1_Connect);
    connect(Winsock1, &QTcpSocket::readyRead, this, &MainWindow::Winsock1_DataArrival);
    connect(Winsock1, &QTcpSocket::disconnected, this, &MainWindow::Winsock1_Close);
    connect(Label11, &ClickableLabel::clicked, this, &MainWindow::Label11_Click);
    connect(Label9, &ClickableLabel::clicked, this, &MainWindow::Label9_Click);
    connect(List2, &QListWidget::currentRowChanged, this, &MainWindow::List2_Click);
    connect(Pinger, &QTimer::timeout, this, &MainWindow::Pinger_Timer);
    connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    List1->installEventFilter(this);

    Form_Load();
    Timer1->start(700);
}

MainWindow::~MainWindow() {
    // The socket goes with the other children once this window is already torn down; closing an
    // open connection then must not call the hang-up handler of a window that is gone.
    Winsock1->disconnect(this);
}

} // namespace velberd
