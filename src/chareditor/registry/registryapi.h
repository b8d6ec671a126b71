#pragma once

#include "chareditor/registry/backend.h"

#include <functional>
#include <string>
#include <string_view>

// Single values of the registry, named by full key path text and value name.
// Every operation opens its key, does its one read or write and closes the key again; nothing is
// kept between calls, so the functions are reentrant.
namespace velberd::registry {

struct KeyPath {
    RootKey root = 0;
    std::string subKey;
};

// Told about a key path that is not of the form "HKEY_...\sub\key"; the window shows the message.
using MalformedPathSink = std::function<void(std::string_view path)>;

struct Registry {
    Backend& backend;
    MalformedPathSink malformed;
};

std::string incorrectFormatText(std::string_view path);

KeyPath parseKeyPath(std::string_view path, const MalformedPathSink& malformed);
RootKey rootKeyFromName(std::string_view name);

// "Error" when the key or value cannot be read; the empty text when the path names no known root.
std::string readStringValue(const Registry& registry, std::string_view path, std::string_view name);
std::string readBinaryValue(const Registry& registry, std::string_view path, std::string_view name);

// kSuccess when the value is stored; otherwise why not, as the platform says it: kFileNotFound
// for a key that does not exist (none is created), kBusy while Wine runs for the prefix,
// kLockViolation while another Velberd writes to it, another status for a read or write that
// failed, kInvalidHandle when the path names no known root.
Status writeStringValue(const Registry& registry, std::string_view path, std::string_view name, std::string_view text);
Status writeBinaryValue(const Registry& registry, std::string_view path, std::string_view name, std::string_view bytes);

} // namespace velberd::registry
