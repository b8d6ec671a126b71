#include "common/twips.h"
#include "listedwindow.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>

using velberd::test::ListedWindow;

namespace {

// As many servers as the list server sends at most.
QList<QByteArray> elevenServers() {
    QList<QByteArray> entries;
    for (int i = 1; i <= 11; ++i)
        entries << QStringLiteral("192.0.2.%1:10052 local public battle 1.24   5 [1/2] Server %1").arg(i).toLatin1();
    return entries;
}

// The tests run in every style this Qt has (the Windows build adds Windows' own): the rows look
// alike in each. A new style also brings back the application's own palette.
void useStyle(const QString& style) {
    QApplication::setStyle(QStyleFactory::create(style));
}

// The colour a row is filled with, away from its text and focus frame.
QColor rowFill(QListWidget* list, int row) {
    const QRect rect = list->visualItemRect(list->item(row));
    return list->viewport()->grab().toImage().pixelColor(rect.right() - 5, rect.center().y());
}

int distance(const QColor& a, const QColor& b) {
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue());
}

// The same colour but for the tint of a focus frame, which some styles lay over the focused row.
bool sameFill(const QColor& a, const QColor& b) {
    return distance(a, b) <= 12;
}

// The colour of a row's text: inside the row's edges, the pixel farthest from its fill.
QColor rowText(QListWidget* list, int row) {
    const QImage image = list->viewport()->grab().toImage();
    const QRect rect = list->visualItemRect(list->item(row)).adjusted(2, 2, -2, -2);
    const QColor fill = rowFill(list, row);
    QColor text = fill;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (distance(image.pixelColor(x, y), fill) > distance(text, fill)) text = image.pixelColor(x, y);
    return text;
}

} // namespace

class ServerListTests : public QObject {
    Q_OBJECT
private slots:
    void elevenServersFitWithoutScrolling_data();
    void elevenServersFitWithoutScrolling();
    void selectedRowStaysMarked_data();
    void selectedRowStaysMarked();
};

void ServerListTests::elevenServersFitWithoutScrolling_data() {
    QTest::addColumn<QString>("style");
    for (const auto& style : QStyleFactory::keys())
        QTest::newRow(qPrintable(style)) << style;
}

void ServerListTests::elevenServersFitWithoutScrolling() {
    QFETCH(QString, style);
    useStyle(style);
    ListedWindow f(elevenServers());
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    auto* list = f.control<QListWidget>("List2");
    const QRect last = list->visualItemRect(list->item(10));
    QVERIFY2(list->viewport()->rect().contains(last),
             qPrintable(QStringLiteral("the eleventh row lies at %1+%2").arg(last.top()).arg(last.height())));
    QVERIFY(!list->verticalScrollBar()->isVisible());
    // As high as the layout places them, 195 twips, whatever a style or font would make of them.
    QStyleOptionViewItem large;
    large.initFrom(list);
    large.font.setPointSize(40);
    QCOMPARE(list->itemDelegate()->sizeHint(large, list->model()->index(10, 0)).height(), velberd::fromTwips(195));
    // Tall enough for the letters, descenders included.
    QVERIFY(last.height() >= QFontMetrics(list->font()).height());
}

void ServerListTests::selectedRowStaysMarked_data() {
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("deactivated"); // the window loses the focus; else Join takes it
    for (const auto& style : QStyleFactory::keys()) {
        QTest::newRow(qPrintable(style + QStringLiteral(", focus on Join"))) << style << false;
        QTest::newRow(qPrintable(style + QStringLiteral(", window inactive"))) << style << true;
    }
}

void ServerListTests::selectedRowStaysMarked() {
    QFETCH(QString, style);
    QFETCH(bool, deactivated);
    useStyle(style);
    // As Windows' own palette has it: a selection that is not active in the window's grey.
    QPalette palette = QApplication::palette();
    palette.setBrush(QPalette::Inactive, QPalette::Highlight, palette.window());
    palette.setBrush(QPalette::Inactive, QPalette::HighlightedText, palette.text());
    QApplication::setPalette(palette);

    ListedWindow f(elevenServers());
    auto* list = f.control<QListWidget>("List2");
    f.clickRow(0);
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QVERIFY(list->hasFocus());
    const QColor marked = rowFill(list, 0);
    const QColor unmarked = rowFill(list, 1);
    QVERIFY(!sameFill(marked, unmarked));

    QWidget other;
    if (deactivated) {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!f.window->isActiveWindow());
    } else {
        auto* join = f.control<QPushButton>("Command1");
        QTest::mouseClick(join, Qt::LeftButton);
        QVERIFY(join->hasFocus());
    }
    QCOMPARE(list->currentRow(), 0);
    const QColor selected = rowFill(list, 0);
    QVERIFY2(sameFill(selected, marked), qPrintable(selected.name() + QStringLiteral(" instead of ") + marked.name()));
    QCOMPARE(rowFill(list, 1), unmarked);
    // Its text in the active highlighted-text colour, not in the list's text colour.
    const QPalette colours = list->palette();
    const QColor text = rowText(list, 0);
    QVERIFY2(distance(text, colours.color(QPalette::Active, QPalette::HighlightedText)) <
                 distance(text, colours.color(QPalette::Active, QPalette::Text)),
             qPrintable(text.name()));
}

QTEST_MAIN(ServerListTests)
#include "serverlisttests.moc"
