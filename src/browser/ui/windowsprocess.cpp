#include "browser/ui/windowsprocess.h"

#include "browser/logic/windowscommandline.h"

#include <QDir>
#include <string>
#include <vector>
#include <windows.h>

namespace velberd {

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
        return qt_error_string(static_cast<int>(GetLastError()));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {};
}

} // namespace velberd
