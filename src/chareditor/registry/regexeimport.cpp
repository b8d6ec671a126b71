#include "chareditor/registry/regexeimport.h"

#include <random>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace velberd::registry {
namespace {

std::string windowsReason(DWORD error) {
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = length > 0 ? std::string(text, length) : "Windows error " + std::to_string(error) + ".";
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

// A folder made by this call, under a name nobody can have guessed: nothing in it is anyone
// else's. Empty when none could be made.
std::wstring newFolder() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) return {};
    std::random_device random;
    for (int attempt = 0; attempt < 8; ++attempt) {
        wchar_t name[32];
        swprintf(name, 32, L"velberd-%08x%08x", random(), random());
        const std::wstring folder = std::wstring(temp, length) + name;
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
    }
    return {};
}

bool writeNewFile(const std::wstring& path, const std::string& bytes) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    return CloseHandle(file) && whole;
}

ElevatedImport::Result run(const std::wstring& file) {
    wchar_t system[MAX_PATH + 1];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return {ElevatedImport::Outcome::Failed, windowsReason(GetLastError())};
    const std::wstring folder(system, length);
    const std::wstring tool = folder + L"\\reg.exe";
    const std::wstring parameters = L"import \"" + file + L"\"";

    // The shell asks for COM on the thread that starts the tool.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    start.lpVerb = L"runas";
    start.lpFile = tool.c_str();
    start.lpParameters = parameters.c_str();
    // The tool runs in the system folder, so nothing it loads comes from anywhere else.
    start.lpDirectory = folder.c_str();
    start.nShow = SW_HIDE;
    const bool started = ShellExecuteExW(&start);
    const DWORD error = GetLastError();
    if (SUCCEEDED(com)) CoUninitialize();
    if (!started) {
        if (error == ERROR_CANCELLED) return {ElevatedImport::Outcome::Declined, {}};
        return {ElevatedImport::Outcome::Failed, windowsReason(error)};
    }
    if (start.hProcess == nullptr) return {ElevatedImport::Outcome::Failed, "Windows did not say whether it ran."};
    WaitForSingleObject(start.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(start.hProcess, &exitCode);
    CloseHandle(start.hProcess);
    if (exitCode != 0) return {ElevatedImport::Outcome::Failed, "it ended with code " + std::to_string(exitCode) + "."};
    return {ElevatedImport::Outcome::Imported, {}};
}

} // namespace

ElevatedImport::Result RegExeImport::importAsAdministrator(const std::string& file) {
    const std::wstring folder = newFolder();
    if (folder.empty()) return {Outcome::Failed, "no folder for the settings file could be made."};
    const std::wstring path = folder + L"\\settings.reg";
    Result result{Outcome::Failed, "the settings file could not be written."};
    if (writeNewFile(path, file)) result = run(path);
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
    return result;
}

} // namespace velberd::registry
