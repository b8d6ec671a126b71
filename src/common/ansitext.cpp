#include "common/ansitext.h"

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
    const QByteArray bytes = encode(text);
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace velberd
