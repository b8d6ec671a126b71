#include "browser/ui/formcontrols.h"
#include "browser/ui/launchrow.h"
#include "browser/ui/listboxrows.h"
#include "browser/ui/mainwindow.h"
#include "browser/ui/serverdetailspanel.h"
#include "common/clickablelabel.h"
#include "common/twips.h"

#include <QGroupBox>
#include <QListWidget>

namespace velberd {
namespace {

// A row of the server list: eleven fit in the list, as the list server sends at most eleven.
constexpr int kServerRowTwips = 195;

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

    m_details = place(new ServerDetailsPanel(this), "Frame1", twipsRect(2640, 0, 4095, 3975), font);

    m_characterEditorLink = place(new ClickableLabel(QStringLiteral("Character Editor"), this), "Label9",
                                  twipsRect(0, 3720, 2535, 255), fontOf(QStringLiteral("Arial"), 9.75));
    m_characterEditorLink->setAlignment(Qt::AlignCenter);
    m_characterEditorLink->setAutoFillBackground(true);
    m_characterEditorLink->setCursor(Qt::PointingHandCursor);

    m_launchRow = place(new LaunchRow(m_services, this), "LaunchRow", twipsRect(0, 4080, 6750, 375), font);
}

} // namespace velberd
