#include "common/layoutfonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

namespace velberd {

void provideLayoutFonts() {
    const QString narrow = QStringLiteral("Arial Narrow");
    if (QFontDatabase::hasFamily(narrow)) return;
    // Only the files that ship, by name: a font file is parsed by the font engine, so nothing else
    // that lands in the folder is read.
    const QDir shipped(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const char* file : {"LiberationSansNarrow-Regular.ttf", "LiberationSansNarrow-Bold.ttf"})
        QFontDatabase::addApplicationFont(shipped.filePath(QString::fromLatin1(file)));
    const QString twin = QStringLiteral("Liberation Sans Narrow");
    if (QFontDatabase::hasFamily(twin)) QFont::insertSubstitution(narrow, twin);
}

} // namespace velberd
