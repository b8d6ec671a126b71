// Starts as Velberd's Windows programs start, then says what it could load: the Windows style (a
// plugin of Qt's) and a DLL by its bare name, which lies only in the current folder.
#include "common/windowsstart/windowsstart.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QStyle>
#include <QStyleFactory>
#include <cstdio>
#include <memory>
#include <windows.h>

int main(int argc, char* argv[]) {
    velberd::restrictDllSearch();
    QApplication app(argc, argv);
    const std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("windowsvista")));
    const HMODULE planted = LoadLibraryW(L"velberd-planted.dll");
    std::printf("style: %s\nbare name: %s\nplugins: %s\n", style ? "made" : "none", planted ? "loaded" : "refused",
                qPrintable(QLibraryInfo::path(QLibraryInfo::PluginsPath)));
    return 0;
}
