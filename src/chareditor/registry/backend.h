#pragma once

#include <cstdint>
#include <string>

// The four registry calls the access layer needs, with the platform's own semantics: status 0 for
// success, a Windows error code otherwise, and a query that reports the size it needs.
namespace velberd::registry {

using RootKey = std::uint32_t;
using KeyHandle = std::uintptr_t;
using Status = long;

constexpr Status kSuccess = 0;
constexpr Status kFileNotFound = 2;
constexpr Status kAccessDenied = 5;
constexpr Status kInvalidHandle = 6;
constexpr Status kWriteFault = 29;
constexpr Status kReadFault = 30;
// Answered by the Wine prefix backend while another Velberd writes to the prefix.
constexpr Status kLockViolation = 33;
constexpr Status kInvalidParameter = 87;
constexpr Status kDiskFull = 112;
// Answered by the Wine prefix backend while Wine's server runs for the prefix.
constexpr Status kBusy = 170;
constexpr Status kFileTooLarge = 223;
constexpr Status kMoreData = 234;

constexpr RootKey kClassesRoot = 0x80000000;
constexpr RootKey kCurrentUser = 0x80000001;
constexpr RootKey kLocalMachine = 0x80000002;
constexpr RootKey kUsers = 0x80000003;
constexpr RootKey kPerformanceData = 0x80000004;
constexpr RootKey kCurrentConfig = 0x80000005;
constexpr RootKey kDynData = 0x80000006;

constexpr std::uint32_t kQueryValueRight = 0x0001;
constexpr std::uint32_t kSetValueRight = 0x0002;
constexpr std::uint32_t kKeyRead = 0x20019;
constexpr std::uint32_t kKeyWrite = 0x20006;

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

class Backend {
public:
    virtual ~Backend() = default;

    virtual Status openKey(RootKey root, const std::string& subKey, std::uint32_t access, KeyHandle& handle) = 0;
    // As RegQueryValueExA: when `size` is too small for the data the result is kMoreData and `size`
    // holds the size needed; a null `data` only asks for the size.
    virtual Status queryValue(KeyHandle key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                              std::uint32_t& size) = 0;
    virtual Status setValue(KeyHandle key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                            std::uint32_t size) = 0;
    virtual Status closeKey(KeyHandle key) = 0;
};

} // namespace velberd::registry
