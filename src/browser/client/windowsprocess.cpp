#include "browser/client/windowsprocess.h"

#include "browser/logic/windowscommandline.h"
#include "common/windowserror/windowserror.h"

#include <QDir>
#include <string>
#include <vector>
#include <windows.h>

namespace velberd {
namespace {

// ERROR_ELEVATION_REQUIRED, which mingw-w64's headers lack.
constexpr DWORD kElevationRequired = 740;

// Windows' own words for why it refused, with the program's path where they name "%1".
QString refusal(DWORD error, const QString& program) {
    QString reason = QString::fromStdString(windowsErrorText(error, program.toStdString()));
    // Velberd runs the game with the player's own rights, never an administrator's.
    if (error == kElevationRequired)
        reason += QStringLiteral(" The game is marked to run as administrator; Velberd starts it only with your own "
                                 "rights. Clear \"Run this program as an administrator\" on the Compatibility tab of "
                                 "the game's Properties.");
    return reason;
}

} // namespace

QString startWindowsProgram(const QString& program, const QStringList& arguments, const QString& folder) {
    std::vector<std::string> words;
    for (const auto& argument : arguments)
        words.push_back(argument.toStdString());
    const QString nativeProgram = QDir::toNativeSeparators(program);
    const auto line = windowsCommandLine(nativeProgram.toStdString(), words);
    if (!line) return QStringLiteral("A program's path cannot hold a quote.");

    std::wstring commandLine = QString::fromStdString(*line).toStdWString();
    const std::wstring programPath = nativeProgram.toStdWString();
    const std::wstring workingFolder = QDir::toNativeSeparators(folder).toStdWString();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(programPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.isEmpty() ? nullptr : workingFolder.c_str(), &startup, &process))
        return refusal(GetLastError(), nativeProgram);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {};
}

} // namespace velberd
