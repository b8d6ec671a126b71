#pragma once

#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace velberd::net::sandbox {

enum class RunAs { Root, Nobody };

// Runs work in a child process that has entered the network namespace ns and, where the
// namespace has them, bind-mounted its own /etc/hosts and /etc/resolv.conf in a private mount
// namespace, as `ip netns exec` does. RunAs::Nobody also drops to uid and gid 65534.
// Returns the bytes work returned; throws when the child could not get there.
std::string runInNamespace(const std::string& ns, RunAs as, const std::function<std::string()>& work);

template <typename T>
requires std::is_trivially_copyable_v<T> T runInNamespaceFor(const std::string& ns, RunAs as,
                                                             const std::function<T()>& work) {
    const std::string bytes = runInNamespace(ns, as, [&] {
        const T value = work();
        return std::string(reinterpret_cast<const char*>(&value), sizeof value);
    });
    if (bytes.size() != sizeof(T)) throw std::runtime_error("short result from namespace " + ns);
    T value;
    std::memcpy(&value, bytes.data(), sizeof value);
    return value;
}

// Enters ns as above in the calling process; the error text, or empty on success.
std::string enterNamespace(const std::string& ns, RunAs as);

} // namespace velberd::net::sandbox
