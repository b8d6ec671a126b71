#pragma once

#include "common/ansitext.h"

#include <QGroupBox>
#include <QLabel>
#include <string>

namespace velberd {

class ClickableLabel;
struct EntryHeader;
struct ServerDetails;

// The "Server Information" frame: what the selected server's entry says, and what the lookups and
// pings find out about it. A field that cannot be read, or is not known yet, shows "x".
class ServerDetailsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit ServerDetailsPanel(QWidget* parent);

    void showHeader(const EntryHeader& header);
    // A new selection: its entry's fields, and "x" for what the lookups and pings have yet to tell.
    void showDetails(const ServerDetails& details);
    void showHostName(const std::string& hostName) { m_hostName->setText(toCaption(hostName)); }
    void showProbableHosts(const std::string& hosts) { m_probableHosts->setText(toCaption(hosts)); }

    // As shown: the launch takes the access and the address, the game path the version.
    QString access() const { return m_access->text(); }
    QString address() const { return m_address->text(); }
    QString version() const { return m_version->text(); }
    QLabel* pingLabel() const { return m_ping; }
    ClickableLabel* playerCountLink() const { return m_playerCount; }

private:
    QLabel* m_serverName = nullptr;
    QLabel* m_access = nullptr;
    ClickableLabel* m_playerCount = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_gameType = nullptr;
    QLabel* m_uptime = nullptr;
    QLabel* m_address = nullptr;
    QLabel* m_hostName = nullptr;
    QLabel* m_ping = nullptr;
    QLabel* m_probableHosts = nullptr;
};

} // namespace velberd
