// A DLL put where Velberd's programs must not load from. Made as a plugin of the Windows style, so
// that Qt would take it for the style the programs ask for; as soon as anything loads it, it
// leaves a file named after itself in the folder that VELBERD_PLANTED_MARKERS names.
#include <QStylePlugin>
#include <string>
#include <windows.h>

class PlantedStyle : public QStylePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QStyleFactoryInterface_iid FILE "planted.json")
public:
    QStyle* create(const QString&) override { return nullptr; }
};

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t folder[MAX_PATH];
    wchar_t self[MAX_PATH];
    const DWORD folderLength = GetEnvironmentVariableW(L"VELBERD_PLANTED_MARKERS", folder, MAX_PATH);
    const DWORD selfLength = GetModuleFileNameW(module, self, MAX_PATH);
    if (folderLength == 0 || folderLength >= MAX_PATH || selfLength == 0 || selfLength >= MAX_PATH) return TRUE;
    const std::wstring path(self, selfLength);
    const std::wstring marker = std::wstring(folder, folderLength) + L"\\" + path.substr(path.find_last_of(L"\\/") + 1);
    const HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}

#include "planted.moc"
