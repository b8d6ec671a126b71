#include "chareditor/registry/wineprefixbackend.h"
#include "tempfolder.h"
#include "testregistry.h"

namespace velberd::registry::testing {
namespace {

constexpr std::string_view kUserDefaults = "WINE REGISTRY Version 2\n"
                                           ";; All keys relative to \\\\User\\\\.Default\n"
                                           "\n"
                                           "#arch=win64\n"
                                           "\n"
                                           "[Software\\\\VelberdTests\\\\Key] 1700000000\n"
                                           "#time=1da1b2c3d4e5f60\n";

} // namespace

struct TestRegistry::Place {
    TempFolder prefix;
};

TestRegistry::TestRegistry()
    : m_place(std::make_unique<Place>()), m_backend(std::make_unique<WinePrefixBackend>(m_place->prefix.path())),
      m_path("HKEY_USERS\\.Default\\Software\\VelberdTests\\Key") {
    writeFile(m_place->prefix.path() / "userdef.reg", kUserDefaults);
}

TestRegistry::~TestRegistry() = default;

void TestRegistry::store(const std::string& name, std::uint32_t type, std::string_view bytes) {
    KeyHandle key = 0;
    if (m_backend->openKey(kUsers, ".Default\\Software\\VelberdTests\\Key", kKeyWrite, key) != kSuccess) return;
    m_backend->setValue(key, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                        static_cast<std::uint32_t>(bytes.size()));
    m_backend->closeKey(key);
}

std::optional<StoredValue> TestRegistry::stored(const std::string& name) {
    KeyHandle key = 0;
    if (m_backend->openKey(kUsers, ".Default\\Software\\VelberdTests\\Key", kKeyRead, key) != kSuccess) {
        return std::nullopt;
    }
    std::optional<StoredValue> value;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (m_backend->queryValue(key, name, type, nullptr, size) == kSuccess) {
        std::string bytes(size, '\0');
        if (m_backend->queryValue(key, name, type, reinterpret_cast<std::uint8_t*>(bytes.data()), size) == kSuccess) {
            value = StoredValue{type, bytes};
        }
    }
    m_backend->closeKey(key);
    return value;
}

} // namespace velberd::registry::testing
