#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace dorrick {

// What the user typed, as the bytes of the system's 8-bit code page (Windows-1252 off Windows).
// A character the code page lacks becomes "?", as the Windows conversion writes it. No value when
// the platform offers no such code page.
std::optional<QByteArray> toAnsi(const QString& text);

} // namespace dorrick
