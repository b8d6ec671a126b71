#include "common/ansitext.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

namespace velberd {
namespace {

// On Windows the system's ANSI code page is the one the game and the registry use.
QStringDecoder byteDecoder() {
#ifdef Q_OS_WIN
    return QStringDecoder(QStringConverter::System);
#else
    return QStringDecoder("windows-1252");
#endif
}

QStringEncoder byteEncoder() {
#ifdef Q_OS_WIN
    return QStringEncoder(QStringConverter::System);
#else
    return QStringEncoder("windows-1252");
#endif
}

} // namespace

QString toCaption(std::string_view bytes) {
    auto decode = byteDecoder();
    return decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string fromCaption(const QString& text) {
    auto encode = byteEncoder();
    QByteArray bytes = encode(text);
    if (encode.hasError()) {
        // Again a character at a time, so that one the code page lacks becomes "?" as on Windows,
        // not the control character ICU puts in its place. A fresh encoder each time: its error
        // flag never resets.
        bytes.clear();
        for (const uint codePoint : text.toUcs4()) {
            const char32_t character = codePoint;
            auto single = byteEncoder();
            const QByteArray encoded = single(QString::fromUcs4(&character, 1));
            bytes += single.hasError() ? QByteArray("?") : encoded;
        }
    }
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace velberd
