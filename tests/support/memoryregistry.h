#pragma once

#include "chareditor/registry/backend.h"

#include <cstring>
#include <map>
#include <string>
#include <utility>

namespace velberd::test {

// The registry as the window tests need it: keys a test fills, held in memory, the same on every
// platform, whose writes can be refused as a registry refuses them. What the registry itself does
// is tested with the platform's own.
class MemoryRegistry final : public registry::Backend {
public:
    // What every write answers; anything but kSuccess stores nothing.
    registry::Status refusal = registry::kSuccess;

    struct Value {
        std::uint32_t type = 0;
        std::string bytes;
    };

    // `subKey` as the program opens it below `root`, e.g. ".Default\\Software\\...".
    void store(registry::RootKey root, const std::string& subKey, const std::string& name, std::uint32_t type,
               std::string bytes) {
        m_keys[{root, subKey}][name] = Value{type, std::move(bytes)};
    }

    registry::Status openKey(registry::RootKey root, const std::string& subKey, std::uint32_t,
                             registry::KeyHandle& handle) override {
        const auto found = m_keys.find({root, subKey});
        if (found == m_keys.end()) return registry::kFileNotFound;
        m_open[++m_lastHandle] = &found->second;
        handle = m_lastHandle;
        return registry::kSuccess;
    }

    registry::Status queryValue(registry::KeyHandle key, const std::string& name, std::uint32_t& type,
                                std::uint8_t* data, std::uint32_t& size) override {
        const auto open = m_open.find(key);
        if (open == m_open.end()) return registry::kInvalidHandle;
        const auto found = open->second->find(name);
        if (found == open->second->end()) return registry::kFileNotFound;
        type = found->second.type;
        const auto needed = static_cast<std::uint32_t>(found->second.bytes.size());
        if (data == nullptr || size < needed) {
            size = needed;
            return data == nullptr ? registry::kSuccess : registry::kMoreData;
        }
        std::memcpy(data, found->second.bytes.data(), needed);
        size = needed;
        return registry::kSuccess;
    }

    registry::Status setValue(registry::KeyHandle key, const std::string& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) override {
        const auto open = m_open.find(key);
        if (open == m_open.end()) return registry::kInvalidHandle;
        if (refusal != registry::kSuccess) return refusal;
        (*open->second)[name] = Value{type, std::string(reinterpret_cast<const char*>(data), size)};
        return registry::kSuccess;
    }

    // The bytes a value holds; empty when there is none.
    std::string bytes(registry::RootKey root, const std::string& subKey, const std::string& name) const {
        const auto key = m_keys.find({root, subKey});
        if (key == m_keys.end()) return {};
        const auto value = key->second.find(name);
        return value == key->second.end() ? std::string() : value->second.bytes;
    }

    registry::Status closeKey(registry::KeyHandle key) override {
        return m_open.erase(key) == 1 ? registry::kSuccess : registry::kInvalidHandle;
    }

private:
    std::map<std::pair<registry::RootKey, std::string>, std::map<std::string, Value>> m_keys;
    std::map<registry::KeyHandle, std::map<std::string, Value>*> m_open;
    registry::KeyHandle m_lastHandle = 0;
};

} // namespace velberd::test
