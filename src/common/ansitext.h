#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

// The one crossing between the game's 8-bit text and Qt's QString, for Velberd and Dorrick alike.
// The code page is the system's ANSI one on Windows, Windows-1252 elsewhere, where every one of
// the 256 byte values survives a round trip.
namespace velberd {

QString toCaption(std::string_view bytes);

// What the user typed, in the code page: its bytes, or, when the code page lacks some of its
// characters, those characters, each once.
struct AnsiText {
    QByteArray bytes;
    QString lacking;
};
AnsiText toAnsi(const QString& text);

// The bytes of a text, with "?" for each character the code page lacks, as Windows writes them.
std::string fromCaption(const QString& text);

} // namespace velberd
