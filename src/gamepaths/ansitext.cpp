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

std::optional<QByteArray> toAnsi(const QString& text) {
    if (!ansiEncoder().isValid()) return std::nullopt;
    // One character at a time, so an unmappable one is known and written as "?" rather than the
    // control character ICU substitutes. A fresh encoder each time: its error flag never resets.
    QByteArray bytes;
    for (const uint codePoint : text.toUcs4()) {
        const char32_t character = codePoint;
        QStringEncoder encoder = ansiEncoder();
        const QByteArray encoded = encoder(QString::fromUcs4(&character, 1));
        bytes += encoder.hasError() ? QByteArray("?") : encoded;
    }
    return bytes;
}

} // namespace dorrick
