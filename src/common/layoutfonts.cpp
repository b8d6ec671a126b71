#include "common/layoutfonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

namespace velberd {

void provideLayoutFonts() {
    const QString narrow = QStringLiteral("Arial Narrow");
    if (QFontDatabase::hasFamily(narrow)) return;
    const QDir shipped(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const auto& file : shipped.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(shipped.filePath(file));
    const QString twin = QStringLiteral("Liberation Sans Narrow");
    if (QFontDatabase::hasFamily(twin)) QFont::insertSubstitution(narrow, twin);
}

} // namespace velberd
