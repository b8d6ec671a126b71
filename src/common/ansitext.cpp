#include "common/ansitext.h"

#include <QList>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif

namespace velberd {
namespace {

#ifdef Q_OS_WIN
// Without WC_NO_BEST_FIT_CHARS Windows writes a look-alike ("a" for "ā") and says nothing; with it,
// a character the code page lacks is reported. A UTF-8 code page holds every character and takes
// neither the flag nor the report.
std::optional<QByteArray> encodeCharacter(QStringView character) {
    const bool utf8 = GetACP() == CP_UTF8;
    BOOL lacking = FALSE;
    char bytes[8];
    const int length =
        WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWCH>(character.utf16()),
                            int(character.size()), bytes, int(sizeof bytes), nullptr, utf8 ? nullptr : &lacking);
    if (length <= 0 || lacking) return std::nullopt;
    return QByteArray(bytes, length);
}

QString decode(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), reinterpret_cast<LPWSTR>(text.data()), length);
    return text;
}
#else
// A fresh encoder for each character: its error flag never resets.
std::optional<QByteArray> encodeCharacter(QStringView character) {
    QStringEncoder encoder("windows-1252");
    const QByteArray bytes = encoder(character);
    if (!encoder.isValid() || encoder.hasError()) return std::nullopt;
    return bytes;
}

QString decode(std::string_view bytes) {
    QStringDecoder decoder("windows-1252");
    return decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}
#endif

// Calls each with one character, a whole code point, and its bytes or none.
template <typename Each> void forEachCharacter(const QString& text, Each each) {
    for (const uint codePoint : text.toUcs4()) {
        const char32_t unit = codePoint;
        const QString character = QString::fromUcs4(&unit, 1);
        each(character, encodeCharacter(character));
    }
}

} // namespace

QString toCaption(std::string_view bytes) {
    return decode(bytes);
}

AnsiText toAnsi(const QString& text) {
    AnsiText ansi;
    forEachCharacter(text, [&ansi](const QString& character, const std::optional<QByteArray>& bytes) {
        if (bytes) {
            ansi.bytes += *bytes;
        } else if (!ansi.lacking.contains(character)) {
            ansi.lacking += character;
        }
    });
    return ansi;
}

std::string fromCaption(const QString& text) {
    std::string bytes;
    forEachCharacter(text, [&bytes](const QString&, const std::optional<QByteArray>& encoded) {
        bytes += encoded ? encoded->toStdString() : std::string("?");
    });
    return bytes;
}

} // namespace velberd
