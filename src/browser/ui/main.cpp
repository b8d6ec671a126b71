#include "browser/ui/mainwindow.h"
#include "common/layoutfonts.h"
#include "common/quitonsignal.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velberd"));
    velberd::quitOnTerminationSignals();
    velberd::provideLayoutFonts();
    velberd::MainWindow window(velberd::systemServices());
    window.show();
    return QApplication::exec();
}
