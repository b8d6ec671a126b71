#include "browser/ui/mainwindow.h"
#include "common/layoutfonts.h"
#include "common/quitonsignal.h"
#ifdef Q_OS_WIN
#include "common/windowsstart/windowsstart.h"
#endif

#include <QApplication>

int main(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    velberd::restrictDllSearch();
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velberd"));
    velberd::quitOnTerminationSignals();
    velberd::provideLayoutFonts();
    velberd::MainWindow window(velberd::systemServices());
    window.show();
    return QApplication::exec();
}
