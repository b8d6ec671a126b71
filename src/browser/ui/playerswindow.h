#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;

namespace velberd {

struct PlayersView;

// Who is playing on the selected server, as the server itself last said: a table of the players and,
// under it, the level, the game mode, the version and whether the server is idle.
class PlayersWindow : public QWidget {
    Q_OBJECT
public:
    explicit PlayersWindow(QWidget* parent);

    // Titled with the server's name.
    void showServer(const QString& serverName) { setWindowTitle(serverName); }
    void showPlayers(const PlayersView& view);

private:
    QTableWidget* m_table;
    QLabel* m_state;
    QLabel* m_level;
    QLabel* m_mode;
    QLabel* m_version;
    QLabel* m_idle;
};

} // namespace velberd
