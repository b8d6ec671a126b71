#include "gamepaths/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    dorrick::Form1 window(QCoreApplication::applicationDirPath());
    window.show();
    return app.exec();
}
