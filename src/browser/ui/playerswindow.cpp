#include "browser/ui/playerswindow.h"

#include "browser/logic/playerstext.h"
#include "common/ansitext.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velberd {
namespace {

QLabel* valueLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    // What a server sends is text, never markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

PlayersWindow::PlayersWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_table(new QTableWidget(0, 4, this)), m_state(valueLabel("PlayersState", this)),
      m_level(valueLabel("PlayersLevel", this)), m_mode(valueLabel("PlayersMode", this)),
      m_version(valueLabel("PlayersVersion", this)), m_idle(valueLabel("PlayersIdle", this)) {
    setObjectName(QStringLiteral("PlayersWindow"));
    m_table->setObjectName(QStringLiteral("PlayersTable"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Score"), QStringLiteral("Team"), QStringLiteral("Spectating")});
    m_table->verticalHeader()->hide();
    // The name takes the room the numbers and words beside it leave.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* details = new QFormLayout;
    details->addRow(QStringLiteral("Level:"), m_level);
    details->addRow(QStringLiteral("Game mode:"), m_mode);
    details->addRow(QStringLiteral("Version:"), m_version);
    details->addRow(QStringLiteral("Idle:"), m_idle);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_state);
    layout->addWidget(m_table, 1);
    layout->addLayout(details);
    resize(360, 320);
}

void PlayersWindow::showPlayers(const PlayersView& view) {
    m_state->setText(toCaption(view.state));
    m_table->setRowCount(static_cast<int>(view.rows.size()));
    int row = 0;
    for (const auto& fields : view.rows) {
        int column = 0;
        for (const auto& field : fields)
            m_table->setItem(row, column++, new QTableWidgetItem(toCaption(field)));
        ++row;
    }
    m_level->setText(toCaption(view.level));
    m_mode->setText(toCaption(view.mode));
    m_version->setText(toCaption(view.version));
    m_idle->setText(toCaption(view.idle));
}

} // namespace velberd
