#pragma once

#include <QByteArray>
#include <QString>

namespace dorrick {

// What the user typed, in the system's 8-bit code page (Windows-1252 off Windows): its bytes, or
// the characters the code page lacks, each once, when there are any.
struct AnsiText {
    QByteArray bytes;
    QString lacking;
};

AnsiText toAnsi(const QString& text);

} // namespace dorrick
