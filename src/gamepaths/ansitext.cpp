#include "gamepaths/ansitext.h"

#include <QList>
#include <QStringEncoder>

namespace dorrick {

namespace {

QStringEncoder ansiEncoder() {
#ifdef Q_OS_WIN
    return QStringEncoder(QStringConverter::System);
#else
    return QStringEncoder("windows-1252");
#endif
}

} // namespace

AnsiText toAnsi(const QString& text) {
    // One character at a time, so that each one the code page lacks is known. A fresh encoder
    // each time: its error flag never resets.
    AnsiText ansi;
    for (const uint codePoint : text.toUcs4()) {
        const char32_t unit = codePoint;
        const QString character = QString::fromUcs4(&unit, 1);
        QStringEncoder encoder = ansiEncoder();
        const QByteArray encoded = encoder.isValid() ? QByteArray(encoder(character)) : QByteArray();
        if (!encoder.isValid() || encoder.hasError()) {
            if (!ansi.lacking.contains(character)) ansi.lacking += character;
        } else {
            ansi.bytes += encoded;
        }
    }
    return ansi;
}

} // namespace dorrick
