#pragma once

#include <QPushButton>
#include <QWidget>
#include <cstdint>

class QCheckBox;
class QComboBox;

namespace velberd {

struct BrowserServices;

// The bottom row: the game path, the game's switches and "Join", which starts the game joined to
// the server the details show, or says why it cannot.
class LaunchRow : public QWidget {
    Q_OBJECT
public:
    // The services outlive the row: the main window holds both.
    LaunchRow(const BrowserServices& services, QWidget* parent);

    // The two game paths of dirs.txt in the program folder, neither chosen.
    void loadGamePaths();
    // Picks the game that runs a server of the version shown, where the version names one.
    void followVersion(const QString& versionCaption);
    void setJoinEnabled(bool enabled) { m_join->setEnabled(enabled); }
    void join(const QString& access, const QString& address);

signals:
    void joinClicked();

private:
    const BrowserServices& m_services;
    QComboBox* m_gamePath;
    QCheckBox* m_spy;
    QCheckBox* m_safeMode;
    QCheckBox* m_fullScreen;
    QCheckBox* m_logger;
    QCheckBox* m_mute;
    QPushButton* m_join;
    std::int16_t m_launchCounter = 0;
};

} // namespace velberd
