#include "chareditor/registry/windowsbackend.h"
#include "testregistry.h"

#include <windows.h>

namespace velberd::registry::testing {

struct TestRegistry::Place {
    std::string subKey;
};

TestRegistry::TestRegistry()
    : m_place(std::make_unique<Place>("Software\\VelberdTests\\" + std::to_string(GetCurrentProcessId()))),
      m_backend(std::make_unique<WindowsBackend>()), m_path("HKEY_CURRENT_USER\\" + m_place->subKey) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, m_place->subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
}

TestRegistry::~TestRegistry() {
    RegDeleteTreeA(HKEY_CURRENT_USER, m_place->subKey.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, m_place->subKey.c_str());
    // Fails, as it should, while another test's key is still there.
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VelberdTests");
}

void TestRegistry::store(const std::string& name, std::uint32_t type, std::string_view bytes) {
    RegSetKeyValueA(HKEY_CURRENT_USER, m_place->subKey.c_str(), name.c_str(), type, bytes.data(),
                    static_cast<DWORD>(bytes.size()));
}

std::optional<StoredValue> TestRegistry::stored(const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, m_place->subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    std::optional<StoredValue> value;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::string bytes(size, '\0');
        if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size) ==
            ERROR_SUCCESS) {
            bytes.resize(size);
            value = StoredValue{type, bytes};
        }
    }
    RegCloseKey(key);
    return value;
}

} // namespace velberd::registry::testing
