#include "chareditor/registry/windowsbackend.h"

#include <windows.h>

namespace velberd::registry {
namespace {

// The predefined keys are 32-bit values sign-extended to a handle, as the HKEY_ macros define them.
HKEY rootHandle(RootKey root) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
}

HKEY keyHandle(KeyHandle key) {
    return reinterpret_cast<HKEY>(key);
}

} // namespace

Status WindowsBackend::openKey(RootKey root, const std::string& subKey, std::uint32_t access, KeyHandle& handle) {
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(rootHandle(root), subKey.c_str(), 0, access, &opened);
    if (status == ERROR_SUCCESS) handle = reinterpret_cast<KeyHandle>(opened);
    return status;
}

Status WindowsBackend::queryValue(KeyHandle key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                                  std::uint32_t& size) {
    DWORD valueType = 0;
    DWORD valueSize = size;
    const LONG status = RegQueryValueExA(keyHandle(key), name.c_str(), nullptr, &valueType, data, &valueSize);
    type = valueType;
    size = valueSize;
    return status;
}

Status WindowsBackend::setValue(KeyHandle key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                                std::uint32_t size) {
    return RegSetValueExA(keyHandle(key), name.c_str(), 0, type, data, size);
}

Status WindowsBackend::closeKey(KeyHandle key) {
    return RegCloseKey(keyHandle(key));
}

} // namespace velberd::registry
