#include "chareditor/registry/regexeimport.h"

#include "common/windowserror/windowserror.h"

#include <random>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace velberd::registry {
namespace {

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

// The file opened for reading only, shared with readers alone, once it reads back as written: while
// the handle is open, nothing can change or delete it. Invalid when it cannot be held so.
HANDLE holdUnchanged(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return file;
    std::string read(bytes.size() + 1, '\0');
    DWORD length = 0;
    if (ReadFile(file, read.data(), static_cast<DWORD>(read.size()), &length, nullptr) &&
        read.substr(0, length) == bytes)
        return file;
    CloseHandle(file);
    return INVALID_HANDLE_VALUE;
}

ElevatedImport::Result run(const std::filesystem::path& givenTool, const std::wstring& file, std::uintptr_t owner) {
    wchar_t system[MAX_PATH + 1];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return {ElevatedImport::Outcome::Failed, windowsErrorText(GetLastError())};
    const std::wstring folder(system, length);
    const std::wstring tool = givenTool.empty() ? folder + L"\\reg.exe" : givenTool.wstring();
    const std::wstring parameters = L"import \"" + file + L"\"";

    // The shell asks for COM on the thread that starts the tool.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof start;
    // Windows' question stands in front of the window that asked, not behind it.
    start.hwnd = reinterpret_cast<HWND>(owner);
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
        return {ElevatedImport::Outcome::Failed, windowsErrorText(error)};
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

ElevatedImport::Result RegExeImport::importAsAdministrator(const std::string& file, std::uintptr_t ownerWindow) {
    const std::wstring folder = newFolder();
    if (folder.empty()) return {Outcome::Failed, "no folder for the settings file could be made."};
    const std::wstring path = folder + L"\\settings.reg";
    // Held until the tool has ended, so that nothing running as the player swaps what the
    // administrator approves.
    const HANDLE held = writeNewFile(path, file) ? holdUnchanged(path, file) : INVALID_HANDLE_VALUE;
    const Result result = held == INVALID_HANDLE_VALUE
                              ? Result{Outcome::Failed, "the settings file could not be written and held unchanged."}
                              : run(m_tool, path, ownerWindow);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
    return result;
}

} // namespace velberd::registry
