#pragma once

#include <QString>
#include <QStringList>

namespace velberd {

// Starts a Windows program directly, in a normal window that takes the focus, and returns at
// once. The command line is written so that the program's C runtime splits it back into exactly
// these arguments. Gives the system's reason when the start is refused, else nothing.
QString startWindowsProgram(const QString& program, const QStringList& arguments, const QString& folder);

} // namespace velberd
