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

    Frame3 =
        place(new QGroupBox(QStringLiteral("Serverlist Window"), this), "Frame3", twipsRect(0, 0, 2535, 2655), font);
    List2 = place(new QListWidget(Frame3), "List2", twipsRect(120, 240, 2295, 2340), narrowFont(8.25));
    List2->setItemDelegate(new ListBoxRows(fromTwips(kServerRowTwips), List2));
    List2->setUniformItemSizes(true);
    List2->addItem(QStringLiteral("Server Lists"));
    List2->setEnabled(false);

    // The raw entries behind the names, index for index; never shown and never reached by Tab.
    List1 = place(new QListWidget(this), "List1", twipsRect(9480, 7680, 1200, 600), font);
    List1->addItems({QStringLiteral("Hey"), QStringLiteral("Hi"), QStringLiteral("Sup"), QStringLiteral("G'dawg?")});
    List1->setFocusPolicy(Qt::NoFocus);
    List1->hide();

    Frame2 = place(new QGroupBox(QStringLiteral("Overall Information"), this), "Frame2", twipsRect(0, 2760, 2535, 855),
                   font);
    sCount = label(Frame2, "sCount", QStringLiteral("Servers Up:"), twipsRect(120, 240, 1815, 255));
    sCounter = label(Frame2, "sCounter", QStringLiteral("0"), twipsRect(600, 240, 1815, 255), Qt::AlignRight);
    Label11 =
        place(new ClickableLabel(QStringLiteral("Your IP:"), Frame2), "Label11", twipsRect(120, 480, 1815, 255), font);
    lip = label(Frame2, "lip", QStringLiteral("0"), twipsRect(600, 480, 1815, 255), Qt::AlignRight);

    Frame1 = place(new QGroupBox(QStringLiteral("Server Information"), this), "Frame1", twipsRect(2640, 0, 4095, 3975),
                   font);
    createServerInformation();

    Label9 = place(new ClickableLabel(QStringLiteral("Character Editor"), this), "Label9",
                   twipsRect(0, 3720, 2535, 255), fontOf(QStringLiteral("Arial"), 9.75));
    Label9->setAlignment(Qt::AlignCenter);
    Label9->setAutoFillBackground(true);
    Label9->setCursor(Qt::PointingHandCursor);

    Combo1 = place(new QComboBox(this), "Combo1", twipsRect(0, 4080, 2175, 360), font);
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setEditText(QStringLiteral("Game Path"));

    spy = checkBox(this, "spy", QStringLiteral("spy"), twipsRect(2280, 4080, 615, 315), false);
    safe = checkBox(this, "safe", QStringLiteral("safemode"), twipsRect(2880, 4080, 960, 315), false);
    full = checkBox(this, "full", QStringLiteral("fullscreen"), twipsRect(3840, 4080, 975, 315), true);
    log = checkBox(this, "log", QStringLiteral("logger"), twipsRect(4800, 4080, 735, 315), false);
    mute = checkBox(this, "mute", QStringLiteral("mute"), twipsRect(5520, 4080, 615, 315), false);

    Command1 = place(new QPushButton(QStringLiteral("Join"), this), "Command1", twipsRect(6135, 4080, 615, 360), font);
    Command1->setFocus();
}

void MainWindow::createServerInformation() {
    struct Row {
        const char* caption;
        QLabel** value;
        const char* name;
        qreal points;
    };
    const Row rows[] = {
        {"Server Name:", &Label15, "Label15", 9.75},
        {"Private / Public:", &SNa, "SNa", 9.75},
        {"PlayerCount:", &PCo, "PCo", 9.75},
        {"Version:", &VRe, "VRe", 9.75},
        {"Game Type:", &GTy, "GTy", 9.75},
        {"Server Uptime:", &SUp, "SUp", 9.75},
        {"IP Address:", &IPa, "IPa", 9.75},
        {"Hostname:", &HOs, "HOs", 8.25},
        {"Ping:", &PIn, "PIn", 9.75},
        {"Probable Hosts:", &HSt, "HSt", 9.75},
    };
    constexpr int kFirstRow = 240;
    constexpr int kRowStep = 360;
    int index = 0;
    for (const auto& row : rows) {
        const int top = kFirstRow + kRowStep * index;
        auto* caption = label(Frame1, "", QString::fromLatin1(row.caption), twipsRect(120, top, 1335, 255));
        caption->setObjectName(QStringLiteral("Caption%1").arg(index + 1));
        *row.value = label(Frame1, row.name, QStringLiteral("x"), twipsRect(1455, top, 2520, 255), Qt::AlignRight);
        (*row.value)->setFont(narrowFont(row.points));
        ++index;
    }
}

} // namespace velberd
