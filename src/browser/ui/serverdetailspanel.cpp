#include "browser/ui/serverdetailspanel.h"

#include "browser/logic/serverdetails.h"
#include "browser/ui/formcontrols.h"
#include "common/clickablelabel.h"
#include "common/twips.h"

namespace velberd {
namespace {

void showOrX(QLabel* label, const std::optional<std::string>& value) {
    label->setText(value ? toCaption(*value) : QStringLiteral("x"));
}

} // namespace

ServerDetailsPanel::ServerDetailsPanel(QWidget* parent) : QGroupBox(QStringLiteral("Server Information"), parent) {
    struct Row {
        const char* caption;
        QLabel* value;
        const char* name;
        qreal points;
    };
    // The player count is a link: a click shows who is playing.
    m_playerCount = new ClickableLabel(this);
    m_playerCount->setCursor(Qt::PointingHandCursor);
    const Row rows[] = {
        {"Server Name:", m_serverName = new QLabel(this), "Label15", 9.75},
        {"Private / Public:", m_access = new QLabel(this), "SNa", 9.75},
        {"PlayerCount:", m_playerCount, "PCo", 9.75},
        {"Version:", m_version = new QLabel(this), "VRe", 9.75},
        {"Game Type:", m_gameType = new QLabel(this), "GTy", 9.75},
        {"Server Uptime:", m_uptime = new QLabel(this), "SUp", 9.75},
        {"IP Address:", m_address = new QLabel(this), "IPa", 9.75},
        {"Hostname:", m_hostName = new QLabel(this), "HOs", 8.25},
        {"Ping:", m_ping = new QLabel(this), "PIn", 9.75},
        {"Probable Hosts:", m_probableHosts = new QLabel(this), "HSt", 9.75},
    };
    constexpr int kFirstRow = 240;
    constexpr int kRowStep = 360;
    int index = 0;
    for (const auto& row : rows) {
        const int top = kFirstRow + kRowStep * index;
        auto* caption = label(this, "", QString::fromLatin1(row.caption), twipsRect(120, top, 1335, 255));
        caption->setObjectName(QStringLiteral("Caption%1").arg(index + 1));
        row.value->setText(QStringLiteral("x"));
        plainLabel(place(row.value, row.name, twipsRect(1455, top, 2520, 255), narrowFont(row.points)), Qt::AlignRight);
        ++index;
    }
}

void ServerDetailsPanel::showHeader(const EntryHeader& header) {
    m_access->setText(toCaption(header.access));
    m_address->setText(toCaption(header.address));
    m_serverName->setText(toCaption(header.serverName));
}

void ServerDetailsPanel::showDetails(const ServerDetails& details) {
    showHeader(details.header);
    showOrX(m_playerCount, details.playerCount);
    showOrX(m_version, details.version);
    m_gameType->setText(toCaption(details.gameType));
    showOrX(m_uptime, details.uptime);
    m_hostName->setText(QStringLiteral("x"));
    m_ping->setText(QStringLiteral("x"));
    m_ping->setToolTip({});
    m_probableHosts->setText(QStringLiteral("x"));
}

} // namespace velberd
