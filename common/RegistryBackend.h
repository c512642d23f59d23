#pragma once
// The raw registry calls the accessor is built on. The Win32 backend passes them to advapi32;
// tests use an in-memory tree. Status codes are Win32 error codes, so both speak the same.

#include <cstdint>
#include <string>
#include <vector>

#include "RegistryLayout.h"

namespace pausarium {

using RegStatus = long;
inline constexpr RegStatus kRegOk = 0;              // ERROR_SUCCESS
inline constexpr RegStatus kRegNotFound = 2;        // ERROR_FILE_NOT_FOUND
inline constexpr RegStatus kRegAccessDenied = 5;    // ERROR_ACCESS_DENIED
inline constexpr RegStatus kRegMoreData = 234;      // ERROR_MORE_DATA
inline constexpr RegStatus kRegNoMoreItems = 259;   // ERROR_NO_MORE_ITEMS

inline constexpr std::uint32_t kRegSz = 1;          // REG_SZ
inline constexpr std::uint32_t kRegExpandSz = 2;    // REG_EXPAND_SZ
inline constexpr std::uint32_t kRegBinary = 3;      // REG_BINARY
inline constexpr std::uint32_t kRegDword = 4;       // REG_DWORD

// An open key as the backend knows it; 0 is no key.
using RegKey = std::uintptr_t;

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    // A root as a key that can be passed as `parent`; it never needs closing.
    virtual RegKey root(layout::RootKey root) = 0;
    // Opens `path` below `parent` with full access; with `create`, missing keys are made
    // (non-volatile). `path` may name several levels separated by "\".
    virtual RegStatus openKey(RegKey parent, const std::string& path, bool create, RegKey& opened) = 0;
    // Opens an existing `path` below `parent` for reading values only (KEY_QUERY_VALUE), never
    // creating it; with `view64`, in the registry's 64-bit view (KEY_WOW64_64KEY), the one a
    // 64-bit Windows keeps for its own programs below most of SOFTWARE. SOFTWARE\Policies is
    // shared by both views since Windows 7, where the flag changes nothing; 32-bit Windows
    // ignores it.
    virtual RegStatus openKeyToRead(RegKey parent, const std::string& path, bool view64, RegKey& opened) = 0;
    virtual void closeKey(RegKey key) = 0;
    // Like RegQueryValueExA: with `data` null only the type and size are reported; otherwise
    // up to `size` bytes are copied, and kRegMoreData tells that the buffer was too small.
    virtual RegStatus queryValue(RegKey key, const std::string& name, std::uint32_t& type,
                                 void* data, std::uint32_t& size) = 0;
    virtual RegStatus setValue(RegKey key, const std::string& name, std::uint32_t type,
                               const void* data, std::uint32_t size) = 0;
    virtual RegStatus deleteValue(RegKey key, const std::string& name) = 0;
    // Deletes one subkey that has no subkeys of its own.
    virtual RegStatus deleteKey(RegKey parent, const std::string& subkey) = 0;
    // The names of the direct subkeys, in the backend's enumeration order.
    virtual RegStatus subkeyNames(RegKey key, std::vector<std::string>& names) = 0;
};

}  // namespace pausarium
