// The least a Qt Widgets program does before its first frame: one empty window of Velberd's size,
// built and shipped as Velberd is, to set Velberd's own start-up time against.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.setFixedSize(450, 297);
    window.show();
    return QApplication::exec();
}
