#include "browser/ui/listboxrows.h"
#include "browser/ui/mainwindow.h"
#include "common/clickablelabel.h"
#include "common/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace velberd {
namespace {

// A row of the server list: eleven fit in the list, as the list server sends at most eleven.
constexpr int kServerRowTwips = 195;

QFont fontOf(const QString& family, qreal points) {
    QFont font(family);
    font.setPointSizeF(points);
    return font;
}

QFont narrowFont(qreal points) {
    return fontOf(QStringLiteral("Arial Narrow"), points);
}

template <typename Widget> Widget* place(Widget* widget, const char* name, const QRect& geometry, const QFont& font) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    widget->setFont(font);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
              Qt::Alignment alignment = Qt::AlignLeft) {
    auto* widget = place(new QLabel(caption, parent), name, geometry, narrowFont(9.75));
    widget->setAlignment(alignment | Qt::AlignVCenter);
    // Labels show what servers send; a name that looks like markup is still just text.
    widget->setTextFormat(Qt::PlainText);
    return widget;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, const QRect& geometry, bool checked) {
    auto* widget = place(new QCheckBox(caption, parent), name, geometry, narrowFont(9.0));
    widget->setChecked(checked);
    return widget;
}

} // namespace

void MainWindow::createControls() {
    const QFont font = narrowFont(9.75);

    m_serverListFrame =
        place(new QGroupBox(QStringLiteral("Serverlist Window"), this), "Frame3", twipsRect(0, 0, 2535, 2655), font);
    m_serverList =
        place(new QListWidget(m_serverListFrame), "List2", twipsRect(120, 240, 2295, 2340), narrowFont(8.25));
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

    m_overallFrame = place(new QGroupBox(QStringLiteral("Overall Information"), this), "Frame2",
                           twipsRect(0, 2760, 2535, 855), font);
    m_serversUpCaption = label(m_overallFrame, "sCount", QStringLiteral("Servers Up:"), twipsRect(120, 240, 1815, 255));
    m_serverCount =
        label(m_overallFrame, "sCounter", QStringLiteral("0"), twipsRect(600, 240, 1815, 255), Qt::AlignRight);
    m_yourAddressCaption = place(new ClickableLabel(QStringLiteral("Your IP:"), m_overallFrame), "Label11",
                                 twipsRect(120, 480, 1815, 255), font);
    m_localAddress = label(m_overallFrame, "lip", QStringLiteral("0"), twipsRect(600, 480, 1815, 255), Qt::AlignRight);

    m_serverInformationFrame = place(new QGroupBox(QStringLiteral("Server Information"), this), "Frame1",
                                     twipsRect(2640, 0, 4095, 3975), font);
    createServerInformation();

    m_characterEditorLink = place(new ClickableLabel(QStringLiteral("Character Editor"), this), "Label9",
                                  twipsRect(0, 3720, 2535, 255), fontOf(QStringLiteral("Arial"), 9.75));
    m_characterEditorLink->setAlignment(Qt::AlignCenter);
    m_characterEditorLink->setAutoFillBackground(true);
    m_characterEditorLink->setCursor(Qt::PointingHandCursor);

    m_gamePath = place(new QComboBox(this), "Combo1", twipsRect(0, 4080, 2175, 360), font);
    m_gamePath->setEditable(true);
    m_gamePath->setInsertPolicy(QComboBox::NoInsert);
    m_gamePath->setEditText(QStringLiteral("Game Path"));

    m_spy = checkBox(this, "spy", QStringLiteral("spy"), twipsRect(2280, 4080, 615, 315), false);
    m_safeMode = checkBox(this, "safe", QStringLiteral("safemode"), twipsRect(2880, 4080, 960, 315), false);
    m_fullScreen = checkBox(this, "full", QStringLiteral("fullscreen"), twipsRect(3840, 4080, 975, 315), true);
    m_logger = checkBox(this, "log", QStringLiteral("logger"), twipsRect(4800, 4080, 735, 315), false);
    m_mute = checkBox(this, "mute", QStringLiteral("mute"), twipsRect(5520, 4080, 615, 315), false);

    m_join = place(new QPushButton(QStringLiteral("Join"), this), "Command1", twipsRect(6135, 4080, 615, 360), font);
    m_join->setFocus();
}

void MainWindow::createServerInformation() {
    struct Row {
        const char* caption;
        QLabel** value;
        const char* name;
        qreal points;
    };
    const Row rows[] = {
        {"Server Name:", &m_serverName, "Label15", 9.75},
        {"Private / Public:", &m_access, "SNa", 9.75},
        {"PlayerCount:", &m_playerCount, "PCo", 9.75},
        {"Version:", &m_version, "VRe", 9.75},
        {"Game Type:", &m_gameType, "GTy", 9.75},
        {"Server Uptime:", &m_uptime, "SUp", 9.75},
        {"IP Address:", &m_address, "IPa", 9.75},
        {"Hostname:", &m_hostName, "HOs", 8.25},
        {"Ping:", &m_ping, "PIn", 9.75},
        {"Probable Hosts:", &m_probableHosts, "HSt", 9.75},
    };
    constexpr int kFirstRow = 240;
    constexpr int kRowStep = 360;
    int index = 0;
    for (const auto& row : rows) {
        const int top = kFirstRow + kRowStep * index;
        auto* caption =
            label(m_serverInformationFrame, "", QString::fromLatin1(row.caption), twipsRect(120, top, 1335, 255));
        caption->setObjectName(QStringLiteral("Caption%1").arg(index + 1));
        *row.value = label(m_serverInformationFrame, row.name, QStringLiteral("x"), twipsRect(1455, top, 2520, 255),
                           Qt::AlignRight);
        (*row.value)->setFont(narrowFont(row.points));
        ++index;
    }
}

} // namespace velberd
