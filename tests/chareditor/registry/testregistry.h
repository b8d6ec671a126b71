#pragma once

#include "chareditor/registry/backend.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velberd::registry::testing {

struct StoredValue {
    std::uint32_t type = 0;
    std::string bytes;
};

// A key of the test's own in the platform's registry, made before the test and removed after:
// under Windows (and Wine) a key below HKEY_CURRENT_USER, elsewhere a key in the userdef.reg of
// a Wine prefix in a temporary folder.
class TestRegistry {
public:
    TestRegistry();
    ~TestRegistry();
    TestRegistry(const TestRegistry&) = delete;
    TestRegistry& operator=(const TestRegistry&) = delete;

    Backend& backend() { return *m_backend; }
    const std::string& path() const { return m_path; }

    // Stores and reads a value without the access layer, to set up and check exact bytes.
    void store(const std::string& name, std::uint32_t type, std::string_view bytes);
    std::optional<StoredValue> stored(const std::string& name);

private:
    struct Place; // the temporary prefix folder, or the test key below HKEY_CURRENT_USER

    std::unique_ptr<Place> m_place;
    std::unique_ptr<Backend> m_backend;
    std::string m_path;
};

} // namespace velberd::registry::testing
