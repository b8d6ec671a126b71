#pragma once

#include "chareditor/registry/backend.h"

namespace velberd::test {

// A registry whose writes can be refused as a running Wine, a full disk or a player who is no
// administrator refuses them; it counts the writes asked of it.
class RefusingBackend final : public registry::Backend {
public:
    explicit RefusingBackend(registry::Backend& inner) : m_inner(inner) {}
    registry::Status refusal = registry::kSuccess;
    int writes = 0;

    registry::Status openKey(registry::RootKey root, const std::string& subKey, std::uint32_t access,
                             registry::KeyHandle& handle) override {
        return m_inner.openKey(root, subKey, access, handle);
    }
    registry::Status queryValue(registry::KeyHandle key, const std::string& name, std::uint32_t& type,
                                std::uint8_t* data, std::uint32_t& size) override {
        return m_inner.queryValue(key, name, type, data, size);
    }
    registry::Status setValue(registry::KeyHandle key, const std::string& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) override {
        ++writes;
        return refusal != registry::kSuccess ? refusal : m_inner.setValue(key, name, type, data, size);
    }
    registry::Status closeKey(registry::KeyHandle key) override { return m_inner.closeKey(key); }

private:
    registry::Backend& m_inner;
};

} // namespace velberd::test
