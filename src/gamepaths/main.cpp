#include "gamepaths/pathsetupwindow.h"
#ifdef Q_OS_WIN
#include "common/windowsstart/windowsstart.h"
#endif

#include <QApplication>

int main(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    velberd::restrictDllSearch();
#endif
    QApplication app(argc, argv);
    dorrick::PathSetupWindow window(QCoreApplication::applicationDirPath());
    window.show();
    return app.exec();
}
