#pragma once

#include "chareditor/registry/backend.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace velberd::registry::testing {

// Answers from a table of values and records every call, to show what the access layer asks of
// the platform: roots, sub-keys, access masks, sizes, and that every key it opens is closed.
class RecordingBackend final : public Backend {
public:
    struct Open {
        RootKey root;
        std::string subKey;
        std::uint32_t access;
    };
    struct Set {
        std::string name;
        std::uint32_t type;
        std::string data;
    };

    std::map<std::string, std::string> values; // by value name, in a single key that always opens
    std::vector<Open> opens;
    std::vector<std::uint32_t> querySizes;
    std::vector<Set> sets;
    int openKeys = 0;

    Status openKey(RootKey root, const std::string& subKey, std::uint32_t access, KeyHandle& handle) override {
        opens.push_back({root, subKey, access});
        ++openKeys;
        handle = 42;
        return kSuccess;
    }

    Status queryValue(KeyHandle, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                      std::uint32_t& size) override {
        querySizes.push_back(size);
        const auto found = values.find(name);
        if (found == values.end()) return kFileNotFound;
        type = kRegBinary;
        const auto needed = static_cast<std::uint32_t>(found->second.size());
        if (size < needed) {
            size = needed;
            return kMoreData;
        }
        std::memcpy(data, found->second.data(), needed);
        size = needed;
        return kSuccess;
    }

    Status setValue(KeyHandle, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override {
        sets.push_back({name, type, std::string(reinterpret_cast<const char*>(data), size)});
        return kSuccess;
    }

    Status closeKey(KeyHandle) override {
        --openKeys;
        return kSuccess;
    }
};

} // namespace velberd::registry::testing
